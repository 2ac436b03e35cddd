// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows and how they meet: the main window with its status bar, upload panel
// and group upload, the login window it opens, and the score service they all talk to.

#include "common/Speaker.h"
#include "console/ConsoleHooks.h"
#include "net/ServiceEndpoints.h"
#include "session/CommandChannel.h"
#include "session/DataFolder.h"
#include "session/RememberedUsers.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

namespace ordalis {

class AccountWindows;
class BackupWindow;
class Backups;
class CalledNameSpeech;
class ConsoleWindow;
class DrawOverlay;
class MainWindow;
class GroupUploader;
class HistoryWindow;
class LoginWindow;
class PendingKeeper;
class ServiceConfig;
class StatusPanels;
class UploadController;
struct Session;

class ProgramWindows : public QObject {
    Q_OBJECT

public:
    using ConnectionQuery = std::function<bool()>;

    // settingsIni: where the login names and each user's settings are kept; empty for the
    // per-user store. connected: the login window's state probe; empty for the real
    // connection probe. speaker: what speaks the called names; none for the system's.
    ProgramWindows(const DataFolder& folder, const ServiceConfig& config, Session& session,
                   const QString& settingsIni = QString(), ConnectionQuery connected = nullptr,
                   std::unique_ptr<Speaker> speaker = nullptr);
    ~ProgramWindows() override;

    // Shows the main window and starts its one-second timer.
    void start();
    // The service runs inside the program and keeps its check-code mails in `folder` instead
    // of sending them; the password reset says so.
    void setLocalMailFolder(const QString& folder) { m_localMailFolder = folder; }
    // The service runs inside the program: the console lists and restores its deletions.
    void setDeletions(ConsoleHooks::Deletions deletions) { m_deletions = std::move(deletions); }
    // The service runs inside the program and `backups` keeps copies of its data: the login
    // window offers them, and a failed copy is told over the window in front.
    void setBackups(Backups* backups);

    MainWindow* mainWindow() const { return m_mainWindow.get(); }
    // Created at the first click on 用户.
    LoginWindow* loginWindow() const { return m_login.get(); }
    // Created at the click on 后台; none after it was discarded (closed or a new login).
    ConsoleWindow* console() const;
    StatusPanels* statusPanels() const { return m_status; }
    // The draw window over a slideshow (the button beside the projector's, F12).
    DrawOverlay* drawOverlay() const { return m_overlay.get(); }

    // 用户: the main window makes way for the login window.
    void showLoginWindow();
    // 后台: the console replaces the main window on screen.
    void openConsole();
    // 记录: the history of the class chosen now, created at its first opening.
    void openHistory();
    HistoryWindow* historyWindow() const { return m_history.get(); }
    // 数据备份 of the login window: 备份与恢复, created at its first opening.
    void openBackups();
    // Another start of the program on this folder: the window that stands for the program comes
    // to the front, restored if minimised: the main window, or the login window or the console
    // while it stands in the main window's place.
    void bringToFront();
    // A draw asked for from outside the program (a shortcut, whiteboard software): started in
    // the category of that caption (or 轮流), or stopped, as its button would; refused with the
    // reason while nobody is logged in, no class is chosen or the category is empty. A stop's
    // answer names the student called.
    ChannelAnswer drawFromOutside(const QString& caption);
    ChannelAnswer stopFromOutside();

private:
    void discardConsole();
    // The main window makes way for another window, and comes back where it was.
    void hideMainWindow();
    void showMainWindow();
    void afterOnlineLogin();
    void afterOfflineLogin();
    void userChanged();
    // The data was replaced: the session and the record it downloaded belong to the data that
    // went, so the teacher logs in again and the main window shows no class until then.
    void afterRestore(bool done);

    DataFolder m_folder;
    const ServiceConfig& m_config;
    Session& m_session;
    ServiceEndpoints m_endpoints;
    RememberedUsers m_users;
    ConnectionQuery m_connected;
    QString m_localMailFolder;
    ConsoleHooks::Deletions m_deletions;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<DrawOverlay> m_overlay; // drives the main window's draw: goes first
    std::unique_ptr<LoginWindow> m_login;
    std::unique_ptr<AccountWindows> m_accounts; // registration and password reset, of m_login
    std::unique_ptr<HistoryWindow> m_history;
    Backups* m_backups = nullptr;
    std::unique_ptr<BackupWindow> m_backupWindow;
    QPointer<ConsoleWindow> m_console;
    StatusPanels* m_status = nullptr;
    UploadController* m_upload = nullptr;
    GroupUploader* m_groupUploader = nullptr;
    PendingKeeper* m_pending = nullptr;
    CalledNameSpeech* m_speech = nullptr;
    std::optional<QPoint> m_mainWindowAt; // where it was when it made way
};

} // namespace ordalis
