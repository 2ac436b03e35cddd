// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldColumns.h"

#include <QListWidget>
#include <QPainter>

namespace ordalis {

namespace {

constexpr int ColumnGap = 16;
constexpr int Margin = 4;

} // namespace

FieldColumns::FieldColumns(QListWidget* list)
    : QStyledItemDelegate(list)
    , m_list(list) {
    list->setItemDelegate(this);
    const auto forget = [this] { m_widths.clear(); };
    QAbstractItemModel* model = list->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, forget);
    connect(model, &QAbstractItemModel::rowsRemoved, this, forget);
    connect(model, &QAbstractItemModel::dataChanged, this, forget);
    connect(model, &QAbstractItemModel::modelReset, this, forget);
}

const QList<int>& FieldColumns::widths() const {
    if (!m_widths.isEmpty())
        return m_widths;
    const QFontMetrics metrics = m_list->fontMetrics();
    for (int row = 0; row < m_list->count(); ++row) {
        const QStringList fields = m_list->item(row)->text().split(u'\t');
        for (int i = 0; i < fields.size(); ++i) {
            const int width = metrics.horizontalAdvance(fields[i]) + ColumnGap;
            if (i < m_widths.size())
                m_widths[i] = std::max(m_widths[i], width);
            else
                m_widths << width;
        }
    }
    return m_widths;
}

void FieldColumns::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QStringList fields = background.text.split(u'\t');
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
