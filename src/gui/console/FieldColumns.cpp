// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldColumns.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>

namespace ordalis {

namespace {

constexpr int ColumnGap = 16;
constexpr int Margin = 4;
constexpr int HeaderPadding = 5;

} // namespace

FieldColumns::FieldColumns(QListWidget* list, const QList<console::ListColumn>& columns,
                           Header header)
    : QStyledItemDelegate(list)
    , m_list(list)
    , m_columns(columns) {
    list->setItemDelegate(this);
    QAbstractItemModel* model = list->model();
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, &FieldColumns::linesChanged);
    connect(model, &QAbstractItemModel::dataChanged, this, &FieldColumns::linesChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &FieldColumns::linesChanged);
    if (header == Header::None)
        return;

    m_headerModel = new QStandardItemModel(0, int(columns.size()), this);
    for (int i = 0; i < columns.size(); ++i)
        m_headerModel->setHeaderData(i, Qt::Horizontal, columns[i].header);
    m_header = new QHeaderView(Qt::Horizontal, list->parentWidget());
    m_header->setObjectName(list->objectName() + QStringLiteral("Header"));
    m_header->setModel(m_headerModel);
    m_header->setSectionsClickable(false);
    m_header->setSectionResizeMode(QHeaderView::Fixed);
    m_header->setStretchLastSection(true);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_header->setFixedHeight(m_header->fontMetrics().height() + 2 * HeaderPadding);
    // The header scrolls sideways with the lines under it.
    connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, m_header,
            &QHeaderView::setOffset);
    linesChanged();
}

QStringList FieldColumns::shownFields(const QString& line) const {
    QStringList shown;
    for (const console::ListColumn& column : m_columns)
        shown << column.text(line);
    return shown;
}

void FieldColumns::linesChanged() {
    m_widths.clear();
    if (m_header == nullptr)
        return;
    const QList<int>& columns = widths();
    for (int i = 0; i < columns.size(); ++i)
        m_header->resizeSection(i, columns[i] + (i == 0 ? Margin + m_list->frameWidth() : 0));
}

const QList<int>& FieldColumns::widths() const {
    if (!m_widths.isEmpty())
        return m_widths;
    const QFontMetrics metrics = m_list->fontMetrics();
    const auto widen = [this](int i, int width) {
        if (i < m_widths.size())
            m_widths[i] = std::max(m_widths[i], width);
        else
            m_widths << width;
    };
    if (m_header != nullptr) {
        const QFontMetrics headerMetrics = m_header->fontMetrics();
        for (int i = 0; i < m_columns.size(); ++i)
            widen(i, headerMetrics.horizontalAdvance(m_columns[i].header) + 2 * ColumnGap);
    }
    for (int row = 0; row < m_list->count(); ++row) {
        const QStringList fields = shownFields(m_list->item(row)->text());
        for (int i = 0; i < fields.size(); ++i)
            widen(i, metrics.horizontalAdvance(fields[i]) + ColumnGap);
    }
    return m_widths;
}

void FieldColumns::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QStringList fields = shownFields(background.text);
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    painter->save();
    painter->setPen(background.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    int x = option.rect.left() + Margin;
    const QList<int>& columns = widths();
    for (int i = 0; i < fields.size(); ++i) {
        const int width = columns.value(i);
        painter->drawText(QRect(x, option.rect.top(), width, option.rect.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, fields[i]);
        x += width;
    }
    painter->restore();
}

QSize FieldColumns::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    int width = 2 * Margin;
    for (int column : widths())
        width += column;
    size.setWidth(width);
    return size;
}

} // namespace ordalis
