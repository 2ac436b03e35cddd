// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadPanel.h"

#include "common/EscapeKey.h"
#include "layout/TwipsPlacer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

namespace ordalis {

UploadPanel::UploadPanel(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Frame4"));
    setAttribute(Qt::WA_StyledBackground);
    m_pending = new RowTableModel<PendingColumns>(this);
    m_pendingList = rowTable(this, QStringLiteral("List4"), m_pending);
    m_topicBox = new QLineEdit(this);
    m_topicBox->setObjectName(QStringLiteral("Text5"));
    m_topicBox->setPlaceholderText(QStringLiteral("课题"));
    m_passwordBox = new QLineEdit(this);
    m_passwordBox->setObjectName(QStringLiteral("Text4"));
    m_passwordBox->setEchoMode(QLineEdit::Password);
    m_passwordBox->setPlaceholderText(QStringLiteral("操作密码"));
    const auto button = [this](const QString& caption, const char* name) {
        auto* result = new QPushButton(caption, this);
        result->setObjectName(QLatin1String(name));
        return result;
    };
    m_uploadButton = button(QStringLiteral("上传"), "Command13");
    m_exportButton = button(QStringLiteral("导出"), "Command14");
    m_importButton = button(QStringLiteral("导入"), "Command15");
    m_statisticsButton = button(QStringLiteral("小组统计"), "Command27");
    m_undoButton = button(QStringLiteral("撤销"), "cmdUndo");
    m_undoButton->setToolTip(QStringLiteral("收回最后一条还没上传的成绩（Ctrl+Z）"));
    m_backButton = button(QStringLiteral("返回"), "Command12");
    m_caption = new QLabel(QStringLiteral("上传到服务器"), this);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_topicLabel = new QLabel(QStringLiteral("课题："), this);
    m_passwordLabel = new QLabel(QStringLiteral("操作密码："), this);

    connect(m_uploadButton, &QPushButton::clicked, this, &UploadPanel::uploadClicked);
    connect(m_exportButton, &QPushButton::clicked, this, &UploadPanel::exportClicked);
    connect(m_importButton, &QPushButton::clicked, this, &UploadPanel::importClicked);
    connect(m_statisticsButton, &QPushButton::clicked, this, &UploadPanel::statisticsClicked);
    connect(m_undoButton, &QPushButton::clicked, this, &UploadPanel::undoClicked);
    connect(m_backButton, &QPushButton::clicked, this, &UploadPanel::back);
    onEscape(this, [this] { Q_EMIT back(); });
    connect(m_pendingList, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT lineDoubleClicked(index.row()); });
    connect(m_passwordBox, &QLineEdit::textChanged, this, &UploadPanel::operationPasswordEdited);
    // Enter in the password box uploads, when the upload is possible.
    connect(m_passwordBox, &QLineEdit::returnPressed, m_uploadButton, &QPushButton::click);
}

void UploadPanel::placeDesigned(const TwipsPlacer& placer, QSize size) {
    resize(placer.pixels(size.width()), placer.pixels(size.height()));
    constexpr int margin = 120;
    constexpr int rowHeight = 480;
    constexpr int gap = 120;
    constexpr int captionHeight = 360;
    const int bottom = size.height() - margin - rowHeight;
    const int fieldsTop = bottom - gap - rowHeight;
    const int listTop = margin + captionHeight;
    placer.place(m_caption, QRect(margin, margin, size.width() - 2 * margin, captionHeight));
    placer.place(m_pendingList,
                 QRect(margin, listTop, size.width() - 2 * margin, fieldsTop - gap - listTop));
    placer.place(m_topicLabel, QRect(margin, fieldsTop, 700, rowHeight));
    placer.place(m_topicBox, QRect(margin + 700, fieldsTop, 3000, rowHeight));
    placer.place(m_passwordLabel, QRect(margin + 3900, fieldsTop, 1100, rowHeight));
    placer.place(m_passwordBox, QRect(margin + 5000, fieldsTop, 2400, rowHeight));
    constexpr int buttonWidth = 1400;
    int left = margin;
    for (QPushButton* button :
         {m_uploadButton, m_exportButton, m_importButton, m_statisticsButton, m_undoButton}) {
        placer.place(button, QRect(left, bottom, buttonWidth, rowHeight));
        left += buttonWidth + gap;
    }
    placer.place(m_backButton,
                 QRect(size.width() - margin - buttonWidth, bottom, buttonWidth, rowHeight));
}

void UploadPanel::addPendingLine(const QString& line) {
    m_pending->append(PendingScore::fromText(line));
    Q_EMIT pendingChanged();
}

QStringList UploadPanel::pendingLines() const {
    return m_pending->lines();
}

QStringList UploadPanel::selectedLines() const {
    QStringList lines;
    for (int row = 0; row < m_pending->rowCount(); ++row) {
        if (m_pendingList->selectionModel()->isRowSelected(row))
            lines << m_pending->rows().at(row).toText();
    }
    return lines;
}

void UploadPanel::setPendingLines(const QStringList& lines) {
    m_pending->setLines(lines);
    m_pendingList->selectAll();
    Q_EMIT pendingChanged();
}

void UploadPanel::clearPending() {
    m_pending->setLines({});
    Q_EMIT pendingChanged();
}

void UploadPanel::removeOldestLines(int count) {
    m_pending->removeRows(0, std::min(count, m_pending->rowCount()));
    Q_EMIT pendingChanged();
}

void UploadPanel::removeLines(const QStringList& lines) {
    for (const QString& line : lines) {
        const qsizetype row = m_pending->rows().indexOf(PendingScore::fromText(line));
        if (row >= 0)
            m_pending->removeRow(int(row));
    }
    Q_EMIT pendingChanged();
}

void UploadPanel::selectAllPending() {
    m_pendingList->selectAll();
}

QString UploadPanel::pendingLine(int row) const {
    return row >= 0 && row < m_pending->rowCount() ? m_pending->rows().at(row).toText() : QString();
}

void UploadPanel::replacePendingLine(int row, const QString& line) {
    if (row < 0 || row >= m_pending->rowCount())
        return;
    m_pending->replace(row, PendingScore::fromText(line));
    const QModelIndex index = m_pending->index(row, 0);
    m_pendingList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select |
                                                                QItemSelectionModel::Rows);
    Q_EMIT pendingChanged();
}

void UploadPanel::togglePendingSelection(int row) {
    if (row >= 0 && row < m_pending->rowCount())
        m_pendingList->selectionModel()->select(
            m_pending->index(row, 0), QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
}

QString UploadPanel::topic() const {
    return m_topicBox->text();
}

void UploadPanel::setTopic(const QString& topic) {
    m_topicBox->setText(topic);
}

QString UploadPanel::operationPassword() const {
    return m_passwordBox->text();
}

void UploadPanel::setOperationPassword(const QString& password) {
    m_passwordBox->setText(password);
}

void UploadPanel::setUploadEnabled(bool enabled) {
    m_uploadButton->setEnabled(enabled);
}

QList<QWidget*> UploadPanel::dataControls() const {
    return {m_uploadButton,     m_exportButton, m_importButton,
            m_statisticsButton, m_undoButton,   m_pendingList};
}

} // namespace ordalis
