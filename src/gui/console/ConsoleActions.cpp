// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleActions.h"

#include "common/Dialogs.h"
#include "console/NameLists.h"
#include "console/OperationGuard.h"
#include "net/ReplyProblems.h"
#include "net/ServiceEndpoints.h"
#include "session/Session.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace ordalis {

namespace {

const QString LineBreak = QStringLiteral("\r\n");
const QString NetworkFailureText = QStringLiteral("网络异常！");

// Counts a wait of the window; the destructor runs when it is over, however it ended.
struct Waiting {
    int& busy;
    std::function<void()> over;
    Waiting(int& counter, std::function<void()> done)
        : busy(++counter)
        , over(std::move(done)) {}
    ~Waiting() {
        --busy;
        over();
    }
};

} // namespace

ConsoleActions::ConsoleActions(QWidget* window, Session& session, ServiceEndpoints& service,
                               const DataFolder& folder, ConsoleHooks hooks)
    : m_window(window)
    , m_session(session)
    , m_service(service)
    , m_folder(folder)
    , m_hooks(std::move(hooks)) {}

QString ConsoleActions::operationPassword() const {
    return m_password ? m_password->text() : QString();
}

void ConsoleActions::tell(const QString& title, const QString& text, dialogs::Icon icon) const {
    dialogs::showMessage(m_window, title, text, icon);
}

QString ConsoleActions::openFileName(const QString& title, const QString& filter) const {
    return m_hooks.openFileName ? m_hooks.openFileName(title, filter)
                                : dialogs::openFileName(m_window, title, filter);
}

QString ConsoleActions::withRestoreNote(const QString& text) const {
    return m_hooks.deletions.isSet() ? text + QStringLiteral("（30天内可在“已删除”中恢复）") : text;
}

bool ConsoleActions::guard() const {
    const Expected<> allowed = console::checkOperation(m_session.userName, operationPassword());
    if (allowed)
        return true;
    tell(QStringLiteral("提示"), allowed.why(), dialogs::Icon::Warning);
    return false;
}

bool ConsoleActions::namesFit(const QStringList& names) const {
    const Expected<> fit = console::checkNamesFit(names);
    if (fit)
        return true;
    tell(QStringLiteral("提示"), fit.why(), dialogs::Icon::Warning);
    return false;
}

ConsoleActions::Reply ConsoleActions::saveReply(QLabel* status, RecordAfterSave record,
                                                std::function<void()> showStored) {
    return {.status = status,
            .successText = QStringLiteral("操作成功！"),
            .refusalText = QStringLiteral("操作错误！"),
            .statusShowsReply = true,
            .beforeMessage =
                [this, status] {
                    downloadRecord();
                    status->setText(QStringLiteral("操作成功！"));
                },
            .afterMessage =
                [this, record] {
                    if (record == RecordAfterSave::Shown)
                        applyRecord();
                },
            .showStored = std::move(showStored)};
}

bool ConsoleActions::request(const std::function<Expected<>()>& sendChange, const Reply& reply) {
    return send(sendChange, reply, NetworkFailure::InStatus);
}

bool ConsoleActions::requestShowingNetworkReply(const std::function<Expected<>()>& sendChange,
                                                const Reply& reply) {
    return send(sendChange, reply, NetworkFailure::WithReplyText);
}

bool ConsoleActions::send(const std::function<Expected<>()>& sendChange, const Reply& reply,
                          NetworkFailure networkFailure) {
    if (m_gate.isWaiting())
        return false;
    Waiting waiting(m_busy, [this] { afterWait(); });
    bool stored = false;
    m_gate.run([&] {
        const Expected<> outcome = sendChange();
        stored = outcome.ok();
        if (stored) {
            if (reply.beforeMessage)
                reply.beforeMessage();
            tell(QStringLiteral("成功"), reply.successText, dialogs::Icon::Information);
            if (reply.afterMessage)
                reply.afterMessage();
            return;
        }
        if (reply.showStored)
            reply.showStored();
        if (!outcome.refusal().isNoAnswer()) {
            if (reply.statusShowsReply && reply.status)
                reply.status->setText(outcome.why());
            tell(QStringLiteral("错误"), outcome.why() + LineBreak + reply.refusalText,
                 dialogs::Icon::Warning);
        } else if (networkFailure == NetworkFailure::WithReplyText) {
            tell(QStringLiteral("错误"),
                 noAnswerTextWithReply(outcome.refusal(), NetworkFailureText),
                 dialogs::Icon::Warning);
        } else {
            const QString failure = noAnswerText(outcome.refusal(), NetworkFailureText);
            if (reply.status)
                reply.status->setText(failure);
            tell(QStringLiteral("错误"), failure, dialogs::Icon::Warning);
        }
    });
    return stored;
}

QString ConsoleActions::read(const std::function<QString()>& get) {
    QString reply;
    waitForRead([&] { reply = get(); });
    return reply;
}

void ConsoleActions::downloadRecord() {
    // A record that did not come leaves the one on disk, which the console shows.
    waitForRead([this] { static_cast<void>(m_service.downloadRecord(m_folder)); });
}

void ConsoleActions::waitForRead(const std::function<void()>& read) {
    Waiting waiting(m_busy, [this] { afterWait(); });
    // The controls that start a read are guarded: while the gate waits, a read is a step of the
    // request that waits.
    if (m_gate.isWaiting())
        read();
    else
        m_gate.run(read);
}

void ConsoleActions::applyRecord() const {
    if (m_hooks.applyRecord)
        m_hooks.applyRecord();
}

void ConsoleActions::downloadAndApplyRecord() {
    downloadRecord();
    applyRecord();
}

void ConsoleActions::showTopicStandards() const {
    if (m_hooks.showTopicStandards)
        m_hooks.showTopicStandards();
}

void ConsoleActions::discardWindow() {
    m_discardAsked = true;
    afterWait();
}

void ConsoleActions::afterWait() {
    if (m_discardAsked && m_busy == 0)
        m_window->deleteLater();
}

void ConsoleActions::addFromBox(QPlainTextEdit* box, QListWidget* list, QLabel* status,
                                const AddTexts& texts, const std::function<bool()>& save) const {
    if (!guard())
        return;
    const QStringList names = console::typedNames(box->toPlainText());
    if (!namesFit(names))
        return;
    QStringList all = lines(list);
    const int before = int(all.size());
    const console::AddedNames counts = console::appendNew(all, names);
    list->addItems(all.mid(before));

    status->clear();
    if (counts.added == 0) {
        status->setText(texts.nothingToAdd);
    } else {
        if (!save())
            return; // the save's reply is in the status label
        box->clear();
        status->setText(QStringLiteral("已添加%1%2").arg(counts.added).arg(texts.addedUnit));
    }
    if (counts.duplicates > 0)
        status->setText(status->text() + QString::number(counts.duplicates) + texts.duplicatesText);
}

QStringList ConsoleActions::lines(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QStringList ConsoleActions::removeSelected(QListWidget* list) {
    QStringList removed;
    for (int row = list->count() - 1; row >= 0; --row) {
        if (list->item(row)->isSelected())
            removed << QString(std::unique_ptr<QListWidgetItem>(list->takeItem(row))->text());
    }
    return removed;
}

void ConsoleActions::selectLines(QListWidget* list, const QStringList& texts) {
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(texts.contains(list->item(row)->text()));
}

void ConsoleActions::selectAll(QAbstractItemView* view) {
    view->selectAll();
}

void ConsoleActions::invertSelection(QAbstractItemView* view) {
    const QAbstractItemModel* model = view->model();
    const int rows = model->rowCount();
    if (rows > 0)
        view->selectionModel()->select(
            QItemSelection(model->index(0, 0), model->index(rows - 1, 0)),
            QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
}

} // namespace ordalis
