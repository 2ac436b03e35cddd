// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadController.h"

#include "common/Browser.h"
#include "common/Dialogs.h"
#include "net/ServiceEndpoints.h"
#include "scoring/DmsFile.h"
#include "scoring/LineEditPanel.h"
#include "scoring/StatisticsPanel.h"
#include "scoring/UploadPanel.h"
#include "session/Session.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ordalis {

UploadController::UploadController(UploadPanel* upload, Session& session, ServiceEndpoints& service,
                                   GroupsSource groupLists, QObject* parent)
    : QObject(parent)
    , m_upload(upload)
    , m_edit(new LineEditPanel(upload->parentWidget()))
    , m_statistics(new StatisticsPanel(upload->parentWidget()))
    , m_detail(new GroupDetailPanel(upload->parentWidget()))
    , m_session(session)
    , m_service(service)
    , m_groupLists(std::move(groupLists)) {
    for (QWidget* panel : panels()) {
        if (panel != m_upload)
            panel->hide();
    }

    connect(m_upload->Text4, &QLineEdit::textChanged, this, [this] {
        // Typing a password can enable the upload but never disables it.
        if (uploadAllowed() && !m_sending)
            m_upload->Command13->setEnabled(true);
    });
    connect(m_upload->Command13, &QPushButton::clicked, this, &UploadController::upload);
    connect(m_upload->Command14, &QPushButton::clicked, this, &UploadController::exportSelected);
    connect(m_upload->Command15, &QPushButton::clicked, this, &UploadController::importFile);
    connect(m_upload->Command27, &QPushButton::clicked, this, &UploadController::showStatistics);
    connect(m_upload->List4, &QListWidget::itemDoubleClicked, this, &UploadController::editLine);
    connect(m_edit, &LineEditPanel::confirmed, this, &UploadController::confirmEdit);
    connect(m_edit, &LineEditPanel::cancelled, this, &UploadController::cancelEdit);
    connect(m_statistics, &StatisticsPanel::back, this, [this] { showOnly(m_upload); });
    connect(m_statistics, &StatisticsPanel::detailRequested, this, [this](const QString& line) {
        m_detail->showStanding(line);
        showOnly(m_detail);
    });
    connect(m_detail, &GroupDetailPanel::back, this, [this] { showOnly(m_statistics); });
}

bool UploadController::uploadAllowed() const {
    return m_session.canChangeService() && !m_upload->Text4->text().isEmpty();
}

void UploadController::opened() {
    showOnly(m_upload);
    m_upload->Command13->setEnabled(uploadAllowed() && !m_sending);
    m_upload->List4->selectAll();
}

QList<QWidget*> UploadController::panels() const {
    return {m_upload, m_edit, m_statistics, m_detail};
}

void UploadController::showOnly(QWidget* panel) {
    for (QWidget* each : panels()) {
        if (each != panel)
            each->hide();
    }
    panel->setGeometry(m_upload->geometry());
    panel->show();
    panel->raise();
}

QStringList UploadController::selectedLines() const {
    QStringList lines;
    const QListWidget* list = m_upload->List4;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            lines << list->item(row)->text();
    }
    return lines;
}

void UploadController::setSending(bool sending) {
    // While the reply is awaited nothing may send the lines again or change List4 under it.
    m_sending = sending;
    m_upload->Command13->setEnabled(!sending && uploadAllowed());
    m_upload->Command14->setEnabled(!sending);
    m_upload->Command15->setEnabled(!sending);
    m_upload->Command27->setEnabled(!sending);
}

void UploadController::upload() {
    const QStringList lines = selectedLines();
    if (m_sending || m_session.userName.isEmpty() || m_upload->Text4->text().isEmpty() ||
        lines.isEmpty())
        return;

    // Scores given while the reply is awaited are appended after these rows and stay pending.
    const int rowsAtSend = m_upload->List4->count();
    setSending(true);
    const PostOutcome outcome =
        m_service.uploadScores(m_upload->Text4->text(), m_upload->Text5->text(), lines);
    setSending(false);

    if (outcome.isSuccess()) {
        if (dialogs::askYesNo(m_upload->window(), QStringLiteral("成功"),
                              QStringLiteral("上传成功，是否上网查看上传结果！")))
            browser::open(m_service.uploadResultPage(lines.size()));
        for (int row = 0; row < rowsAtSend && m_upload->List4->count() > 0; ++row)
            delete m_upload->List4->takeItem(0);
        return;
    }
    if (outcome.isRefused()) {
        dialogs::showMessage(m_upload->window(), QStringLiteral("错误"),
                             outcome.replyText + QStringLiteral("\r\n上传错误！"),
                             dialogs::Icon::Warning);
        return;
    }
    dialogs::showMessage(m_upload->window(), QStringLiteral("错误"),
                         QStringLiteral("网络异常！建议保存数据，然后导入上传！"),
                         dialogs::Icon::Warning);
    // Exactly the lines that could not be sent, even if the selection changed meanwhile.
    exportLines(lines);
}

void UploadController::exportSelected() {
    exportLines(selectedLines());
}

void UploadController::exportLines(const QStringList& lines) {
    if (lines.isEmpty())
        return;
    const QString path =
        dialogs::saveFileName(m_upload->window(), QStringLiteral("另存数据文件"), DmsFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!writeDmsFile(path, lines, &error)) {
        // The lines stay pending: nothing is lost when the file cannot be written.
        dialogs::showMessage(m_upload->window(), QStringLiteral("错误"),
                             QStringLiteral("数据未能保存：") + QDir::toNativeSeparators(path) +
                                 QStringLiteral("\r\n") + error,
                             dialogs::Icon::Warning);
        return;
    }
    m_upload->List4->clear();
    dialogs::showMessage(m_upload->window(), QStringLiteral("保存成功"),
                         QStringLiteral("数据已保存，你可以再次导入此数据上传！\r\n保存位置：") +
                             QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                         dialogs::Icon::Information);
}

void UploadController::importFile() {
    const QString path =
        dialogs::openFileName(m_upload->window(), QStringLiteral("打开数据文件"), DmsFilter);
    if (path.isEmpty())
        return; // cancelled: the pending lines stay as they are
    const std::optional<QStringList> lines = readDmsFile(path);
    if (!lines) {
        dialogs::showMessage(m_upload->window(), QStringLiteral("错误"),
                             QStringLiteral("无法读取数据文件：") + QDir::toNativeSeparators(path),
                             dialogs::Icon::Warning);
        return;
    }
    m_upload->List4->clear();
    m_upload->List4->addItems(*lines);
    m_upload->List4->selectAll();
}

void UploadController::editLine(QListWidgetItem* item) {
    if (item == nullptr || m_sending)
        return;
    m_editedRow = m_upload->List4->row(item);
    m_edit->setLine(item->text());
    showOnly(m_edit);
}

void UploadController::confirmEdit() {
    showOnly(m_upload);
    QListWidgetItem* item = m_upload->List4->item(m_editedRow);
    if (item == nullptr)
        return;
    item->setText(m_edit->line());
    item->setSelected(true);
    m_upload->List4->setCurrentItem(item, QItemSelectionModel::NoUpdate);
}

void UploadController::cancelEdit() {
    showOnly(m_upload);
    // The double-click toggled the line's selection; toggling again restores it.
    if (QListWidgetItem* item = m_upload->List4->item(m_editedRow))
        item->setSelected(!item->isSelected());
}

void UploadController::showStatistics() {
    QStringList all;
    for (int row = 0; row < m_upload->List4->count(); ++row)
        all << m_upload->List4->item(row)->text();
    m_statistics->fill(all, m_groupLists ? m_groupLists() : GroupLists());
    showOnly(m_statistics);
}

} // namespace ordalis
