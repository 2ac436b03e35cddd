// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadController.h"

#include "common/Browser.h"
#include "common/Dialogs.h"
#include "common/UnsavedWork.h"
#include "net/ReplyProblems.h"
#include "net/ServiceEndpoints.h"
#include "scoring/DailyLog.h"
#include "scoring/DmsFile.h"
#include "scoring/LineEditPanel.h"
#include "scoring/PendingKeeper.h"
#include "scoring/StatisticsPanel.h"
#include "scoring/UploadPanel.h"
#include "session/Session.h"
#include "wire/ScoreLine.h"

#include <QDateTime>
#include <QDir>
#include <algorithm>

namespace ordalis {

UploadController::UploadController(UploadPanel* upload, PendingKeeper& pending, RequestGate gate,
                                   Session& session, ServiceEndpoints& service,
                                   GroupsSource groupLists, QObject* parent)
    : QObject(parent)
    , m_upload(upload)
    , m_pending(pending)
    , m_gate(std::move(gate))
    , m_edit(new LineEditPanel(upload->parentWidget()))
    , m_statistics(new StatisticsPanel(upload->parentWidget()))
    , m_detail(new GroupDetailPanel(upload->parentWidget()))
    , m_session(session)
    , m_service(service)
    , m_groupLists(std::move(groupLists)) {
    setObjectName(QStringLiteral("uploadController"));
    for (QWidget* panel : panels()) {
        if (panel != m_upload)
            panel->hide();
    }

    connect(m_upload, &UploadPanel::operationPasswordEdited, this, [this] {
        // Typing a password can enable the upload but never disables it.
        if (uploadAllowed() && !m_gate.isWaiting())
            m_upload->setUploadEnabled(true);
    });
    connect(m_upload, &UploadPanel::uploadClicked, this, &UploadController::upload);
    connect(m_upload, &UploadPanel::exportClicked, this, &UploadController::exportSelected);
    connect(m_upload, &UploadPanel::importClicked, this, &UploadController::importFile);
    connect(m_upload, &UploadPanel::statisticsClicked, this, &UploadController::showStatistics);
    connect(m_upload, &UploadPanel::undoClicked, this, &UploadController::undoLastScore);
    connect(m_upload, &UploadPanel::lineDoubleClicked, this, &UploadController::editLine);
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
    return m_session.canChangeService() && !m_upload->operationPassword().isEmpty();
}

void UploadController::opened() {
    showOnly(m_upload);
    m_upload->setUploadEnabled(uploadAllowed() && !m_gate.isWaiting());
    m_upload->selectAllPending();
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

void UploadController::upload() {
    const QStringList lines = m_upload->selectedLines();
    const QString password = m_upload->operationPassword();
    if (m_session.userName.isEmpty() || password.isEmpty())
        return;
    if (lines.isEmpty()) {
        // A lesson without a score still has its calls, which the history of every other
        // computer needs.
        if (!m_pending.pendingCalls().isEmpty())
            uploadCallsAlone(password);
        return;
    }

    // Scores given while the reply is awaited are appended after these rows and stay pending.
    const int rowsAtSend = int(m_upload->pendingLines().size());
    // A batch sent before without a success heard back goes again as it went.
    const QList<UploadBatch> plan =
        planUpload(m_pending.unconfirmedBatches(), lines, m_pending.pendingCalls());
    Sent sent;
    if (!send(plan, password, sent))
        return;
    const Expected<>& outcome = sent.outcome;
    const QStringList& storedLines = sent.lines;
    const qsizetype storedBatches = sent.batches;

    if (outcome) {
        if (dialogs::askYesNo(m_upload->window(), QStringLiteral("成功"),
                              QStringLiteral("上传成功，是否上网查看上传结果！")))
            browser::open(m_upload->window(), m_service.uploadResultPage(int(storedLines.size())));
        m_upload->removeOldestLines(rowsAtSend);
        Q_EMIT uploaded();
        return;
    }
    // The batches stored before the one that failed are uploaded and leave the list.
    m_upload->removeLines(storedLines);
    if (!storedLines.isEmpty())
        Q_EMIT uploaded();
    if (!outcome.refusal().isNoAnswer()) {
        dialogs::showMessage(m_upload->window(), QStringLiteral("错误"),
                             outcome.why() + QStringLiteral("\r\n上传错误！"),
                             dialogs::Icon::Warning);
        return;
    }
    dialogs::showMessage(
        m_upload->window(), QStringLiteral("错误"),
        noAnswerText(outcome.refusal(), QStringLiteral("网络异常！建议保存数据，然后导入上传！")),
        dialogs::Icon::Warning);
    // Exactly the lines that could not be sent, even if the selection changed meanwhile. They
    // stay pending too: each travels under its batch id, so a later upload and an import of
    // the file elsewhere store it once.
    QStringList unsent;
    for (const UploadBatch& batch : plan.mid(storedBatches))
        unsent += batch.lines;
    if (!unsent.isEmpty())
        saveToFile(unsent, QStringLiteral("这些成绩仍在待上传列表中，网络恢复后在本机点“上传”即可；"
                                          "若改在其他电脑导入此文件上传，请在本机撤销这些成绩，"
                                          "以免重复。"));
}

bool UploadController::send(const QList<UploadBatch>& plan, const QString& password, Sent& sent) {
    // While the reply is awaited nothing may send the lines again or change them under it.
    return m_gate.run([&] {
        for (const UploadBatch& batch : plan) {
            m_pending.keepBatch(batch);
            sent.outcome = batch.lines.isEmpty()
                               ? m_service.uploadCalls(password, batch.calls, batch.id)
                               : m_service.uploadScores(password, m_upload->topic(), batch.lines,
                                                        batch.id, batch.calls);
            if (!sent.outcome && sent.outcome.refusal().isNoAnswer())
                return; // the service may hold the batch: its id stays for the next try
            m_pending.forgetBatch(batch.id);
            if (!sent.outcome)
                return;
            m_pending.removeCalls(batch.calls);
            sent.lines += batch.lines;
            sent.calls += batch.calls.size();
            ++sent.batches;
        }
    });
}

void UploadController::uploadCallsAlone(const QString& password) {
    Sent sent;
    if (!send(planUpload(m_pending.unconfirmedBatches(), {}, m_pending.pendingCalls()), password,
              sent))
        return;
    if (sent.outcome) {
        dialogs::showMessage(m_upload->window(), QStringLiteral("成功"),
                             QStringLiteral("已上传%1次点名记录").arg(sent.calls),
                             dialogs::Icon::Information);
        return;
    }
    dialogs::showMessage(
        m_upload->window(), QStringLiteral("错误"),
        !sent.outcome.refusal().isNoAnswer()
            ? sent.outcome.why() + QStringLiteral("\r\n上传错误！")
            : noAnswerText(sent.outcome.refusal(),
                           QStringLiteral("网络异常！点名记录仍保留在本机，稍后再上传。")),
        dialogs::Icon::Warning);
}

void UploadController::exportSelected() {
    if (saveToFile(m_upload->selectedLines(), QString()))
        m_upload->clearPending();
}

bool UploadController::saveToFile(const QStringList& lines, const QString& afterwards) {
    if (lines.isEmpty())
        return false;
    const QString path =
        dialogs::saveFileName(m_upload->window(), QStringLiteral("另存数据文件"), DmsFilter);
    if (path.isEmpty())
        return false;
    const FileWrite written = writeDmsFile(path, lines);
    if (!written.ok()) {
        // The lines stay pending: nothing is lost when the file cannot be written.
        dialogs::showMessage(m_upload->window(), QStringLiteral("错误"),
                             QStringLiteral("数据未能保存：") + QDir::toNativeSeparators(path) +
                                 QStringLiteral("\r\n") + written.why(),
                             dialogs::Icon::Warning);
        return false;
    }
    QString text = QStringLiteral("数据已保存，你可以再次导入此数据上传！\r\n保存位置：") +
                   QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (!afterwards.isEmpty())
        text += QStringLiteral("\r\n") + afterwards;
    dialogs::showMessage(m_upload->window(), QStringLiteral("保存成功"), text,
                         dialogs::Icon::Information);
    return true;
}

bool UploadController::mayClose(const UnsavedWork& unsaved) {
    if (unsaved.isEmpty())
        return true;
    QWidget* window = m_upload->window();
    const QString what = unsaved.describe().join(QStringLiteral("\r\n"));
    if (!m_upload->pendingLines().isEmpty() &&
        dialogs::askYesNo(window, QStringLiteral("警告"),
                          QStringLiteral("以下内容尚未写入磁盘：\r\n%1\r\n\r\n"
                                         "是否先把待上传的成绩另存到别处（例如U盘）？")
                              .arg(what),
                          dialogs::Icon::Warning))
        return saveToFile(m_upload->pendingLines(), QString());
    return dialogs::askYesNo(window, QStringLiteral("警告"),
                             QStringLiteral("以下内容尚未写入磁盘：\r\n%1\r\n\r\n"
                                            "仍要退出吗？退出后这些内容将会丢失。")
                                 .arg(what),
                             dialogs::Icon::Warning);
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
    m_upload->setPendingLines(*lines);
}

void UploadController::editLine(int row) {
    if (m_gate.isWaiting())
        return;
    m_editedRow = row;
    m_edit->setLine(m_upload->pendingLine(row));
    showOnly(m_edit);
}

void UploadController::confirmEdit() {
    showOnly(m_upload);
    m_upload->replacePendingLine(m_editedRow, m_edit->line());
}

void UploadController::cancelEdit() {
    showOnly(m_upload);
    // The double-click toggled the line's selection; toggling again restores it.
    m_upload->togglePendingSelection(m_editedRow);
}

void UploadController::undoLastScore() {
    if (m_gate.isWaiting())
        return;
    const QStringList lines = m_upload->pendingLines();
    if (lines.isEmpty()) {
        dialogs::showMessage(m_upload->window(), QStringLiteral("提示"),
                             QStringLiteral("没有可以撤销的成绩。"), dialogs::Icon::Warning);
        return;
    }
    const QString last = lines.constLast();
    const ScoreLine score = ScoreLine::fromText(last);
    const auto holdsScore = [&score](const UploadBatch& batch) {
        return std::ranges::any_of(batch.lines, [&score](const QString& line) {
            return ScoreLine::fromText(line) == score;
        });
    };
    if (std::ranges::any_of(m_pending.unconfirmedBatches(), holdsScore)) {
        dialogs::showMessage(m_upload->window(), QStringLiteral("提示"),
                             QStringLiteral("这条成绩已经发送过，服务器可能已经保存，不能撤销："
                                            "请先上传，再在后台的计分记录中删除。"),
                             dialogs::Icon::Warning);
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const FileWrite written =
        appendToDailyLog(m_pending.folderPath(), m_session.userName, score.className, now.date(),
                         cancellingLine(last, now));
    if (!written.ok()) {
        // The log must say so, or the score would stand in it: nothing is taken back.
        dialogs::showMessage(m_upload->window(), QStringLiteral("错误"),
                             QStringLiteral("无法写入日志文件：%1\r\n%2\r\n成绩没有撤销。")
                                 .arg(QDir::toNativeSeparators(written.path()), written.why()),
                             dialogs::Icon::Warning);
        return;
    }
    m_upload->removeLines({last});
    Q_EMIT scoreTakenBack(last);
}

void UploadController::showStatistics() {
    m_statistics->fill(m_upload->pendingLines(), m_groupLists ? m_groupLists() : GroupLists());
    showOnly(m_statistics);
}

} // namespace ordalis
