// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The patterns every console page shares: the operation guard, one change sent to the service
// with its reply shown, adding names from a text box, removing the selected lines, select all
// and invert. One instance per console window; its request gate lets one request wait at a
// time and keeps the controls that send or change data disabled meanwhile.

#include "common/Dialogs.h"
#include "common/RequestGate.h"
#include "console/ConsoleHooks.h"
#include "net/HttpClient.h"
#include "session/DataFolder.h"

#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QLineEdit;
class QAbstractItemView;
class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace ordalis {

class ServiceEndpoints;
class TeacherRecord;
struct Session;

class ConsoleActions {
public:
    ConsoleActions(QWidget* window, Session& session, ServiceEndpoints& service,
                   const DataFolder& folder, ConsoleHooks hooks);

    Session& session() const { return m_session; }
    ServiceEndpoints& service() const { return m_service; }
    const ConsoleHooks& hooks() const { return m_hooks; }
    const DataFolder& folder() const { return m_folder; }
    RequestGate& gate() { return m_gate; }

    void setPasswordBox(QLineEdit* box) { m_password = box; }
    QString operationPassword() const;

    // A message box over the console.
    void tell(const QString& title, const QString& text, dialogs::Icon icon) const;

    // The main window's open-file dialog; "" when cancelled.
    QString openFileName(const QString& title, const QString& filter) const;

    // The text of a deletion that was stored; where the service on this machine keeps what
    // was deleted, it says where to bring it back.
    QString withRestoreNote(const QString& text) const;

    // The guard before adding and deleting: false, after its "提示" box, when the session is
    // offline or no operation password was typed.
    bool guard() const;
    // False, after a "提示" box naming it, when a name holds a character the service cannot
    // store in a list.
    bool namesFit(const QStringList& names) const;

    // How a page shows the reply to one change.
    struct Reply {
        QLabel* status = nullptr;      // "网络异常！" on a network failure
        QString successText;           // in the "成功" box
        QString refusalText;           // after the reply text in the "错误" box
        bool statusShowsReply = false; // saves put a refusal's reply text into the status label
        std::function<void()> beforeMessage; // success steps before the "成功" box
        std::function<void()> afterMessage;  // and after it
        // A refusal or a failed request: before its box, the page shows again what the
        // service holds, in place of the edit that was not stored.
        std::function<void()> showStored;
    };
    // Whether the main window shows the record downloaded after a save.
    enum class RecordAfterSave { Shown, NotShown };
    // The reply of a save: the record downloaded and "操作成功！" in the status label and in
    // the box; then, when asked, the main window shows the new record. showStored: the
    // page's list read again, after a refusal or failure.
    Reply saveReply(QLabel* status, RecordAfterSave record, std::function<void()> showStored);
    // Sends one change and shows its outcome. Whether the service stored it: false after a
    // refusal or a failed request, and, sending nothing, while another request of the console
    // waits.
    bool request(const std::function<Expected<>()>& send, const Reply& reply);
    // The personal page's variant: a network failure shows the reply text before "网络异常！"
    // and no status label.
    bool requestShowingNetworkReply(const std::function<Expected<>()>& send, const Reply& reply);

    // A read of the service. It waits through the console's gate like a change; one made in
    // the reply to a change (the record downloaded after it) is part of that change's wait.
    // The window is not discarded while it waits.
    QString read(const std::function<QString()>& get);
    // The same for a read that keeps its own result.
    void waitForRead(const std::function<void()>& read);
    void downloadRecord();
    // The main window shows the record on disk.
    void applyRecord() const;
    // Downloads the record and lets the main window show it.
    void downloadAndApplyRecord();
    void showTopicStandards() const;

    // While a request or read waits the window cannot be discarded: a discard asked for
    // meanwhile happens when it is over.
    bool isBusy() const { return m_busy > 0; }
    void discardWindow();

    // The adding pattern: guard, the names of the box appended to the list unless already
    // there, the save run with the whole list, and the status texts. A save that was not
    // stored (false) leaves the names in the box, to be sent again.
    struct AddTexts {
        QString nothingToAdd;   // "没有需要添加的班级！"
        QString addedUnit;      // after "已添加" and the count
        QString duplicatesText; // after the duplicate count
    };
    void addFromBox(QPlainTextEdit* box, QListWidget* list, QLabel* status, const AddTexts& texts,
                    const std::function<bool()>& save) const;

    static QStringList lines(const QListWidget* list);
    // Removes the selected lines, from the last to the first; returns them in that order.
    static QStringList removeSelected(QListWidget* list);
    // Selects the lines of these texts, after the list was read again.
    static void selectLines(QListWidget* list, const QStringList& texts);
    static void selectAll(QAbstractItemView* view);
    static void invertSelection(QAbstractItemView* view);

private:
    // Where a failed request is told: in the status label, or in the box after the reply text.
    enum class NetworkFailure { InStatus, WithReplyText };
    bool send(const std::function<Expected<>()>& send, const Reply& reply,
              NetworkFailure networkFailure);
    void afterWait();

    QWidget* m_window;
    Session& m_session;
    ServiceEndpoints& m_service;
    DataFolder m_folder;
    ConsoleHooks m_hooks;
    RequestGate m_gate;
    QLineEdit* m_password = nullptr;
    int m_busy = 0;
    bool m_discardAsked = false;
};

} // namespace ordalis
