// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramWindows.h"

#include "accounts/AccountWindows.h"
#include "backups/Backups.h"
#include "common/Dialogs.h"
#include "common/UnsavedWork.h"
#include "common/WindowPlace.h"
#include "console/ConsoleWindow.h"
#include "draw/CalledNameSpeech.h"
#include "draw/DrawController.h"
#include "draw/DrawOverlay.h"
#include "draw/DrawPanel.h"
#include "draw/TurnsController.h"
#include "groups/GroupUploader.h"
#include "history/HistoryWindow.h"
#include "net/ConnectionProbe.h"
#include "net/ServiceConfig.h"
#include "pinyin/ManualPanel.h"
#include "scoring/PendingKeeper.h"
#include "scoring/UploadController.h"
#include "scoring/UploadPanel.h"
#include "session/BackupWindow.h"
#include "session/LoginWindow.h"
#include "session/MainWindow.h"
#include "session/Session.h"
#include "status/StatusPanels.h"

#include <QApplication>
#include <QStatusBar>
#include <QWindow>

namespace ordalis {
namespace {

void bringUp(QWidget* window) {
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

ProgramWindows::ProgramWindows(const DataFolder& folder, const ServiceConfig& config,
                               Session& session, const QString& settingsIni,
                               ConnectionQuery connected, std::unique_ptr<Speaker> speaker)
    : m_folder(folder)
    , m_config(config)
    , m_session(session)
    , m_endpoints(config, session)
    , m_users(settingsIni)
    , m_connected(std::move(connected))
    , m_mainWindow(std::make_unique<MainWindow>(m_folder, session)) {
    if (!m_connected) {
        m_connected = [this] { return ConnectionProbe(QUrl(m_config.serviceBase())).connected(); };
    }
    MainWindow* form = m_mainWindow.get();
    form->setRecordDownloader([this, form] {
        const HttpClient::Download download = m_endpoints.downloadRecord(m_folder);
        if (download)
            UnsavedWork::tellIfFailed(form, QStringLiteral("教师记录"), *download,
                                      QStringLiteral("本窗口显示的是上次保存的记录。"));
    });

    m_status = new StatusPanels(form->statusBar(), form->drawPanel()->classTimerLabel(),
                                m_endpoints, m_config, this);

    const auto groups = [form] { return form->groups(); };
    m_pending = new PendingKeeper(form->uploadPanel(), m_folder.path(), form->unsavedWork(), this);
    m_upload = new UploadController(form->uploadPanel(), *m_pending, form->requestGate(), m_session,
                                    m_endpoints, groups, this);
    // Counted once the event loop is free again, like the call is written: a stop is shown first.
    connect(
        m_pending, &PendingKeeper::callsChanged, form,
        [this, form] { form->showPendingCalls(m_pending->pendingCalls().size()); },
        Qt::QueuedConnection);
    connect(m_upload, &UploadController::scoreTakenBack, form, &MainWindow::showScoreTakenBack);
    form->setCloseCheck([this, form] {
        return m_upload->mayClose(form->unsavedWork()) &&
               (!form->hasUnsentGroups() ||
                dialogs::askYesNo(
                    form, QStringLiteral("警告"),
                    QStringLiteral("新的分组尚未上传，退出后将会丢失。\r\n\r\n仍要退出吗？"),
                    dialogs::Icon::Warning));
    });
    connect(form, &MainWindow::uploadPanelShown, m_upload, &UploadController::opened);
    connect(form, &MainWindow::callRecorded, m_pending, &PendingKeeper::addCall);
    TurnsController::Sources turns;
    turns.serviceCalls = [this](const QString& className, const QDate& from, const QDate& to) {
        return m_endpoints.getCalls(className, from, to);
    };
    turns.pendingCalls = [this] { return m_pending->pendingCalls(); };
    turns.online = [this] { return m_session.canChangeService(); };
    form->turnsController()->setSources(std::move(turns));
    connect(form, &MainWindow::undoRequested, m_upload, &UploadController::undoLastScore);
    connect(m_upload, &UploadController::uploaded, form, &MainWindow::refreshFigures);
    m_speech = new CalledNameSpeech(
        form->drawPanel(), speaker ? std::move(speaker) : makeSystemSpeaker(), settingsIni, this);
    connect(form, &MainWindow::calledByDraw, m_speech, &CalledNameSpeech::drawStopped);
    connect(form, &MainWindow::calledSeveralByDraw, m_speech,
            [this](const QStringList& names) { m_speech->drawStopped(names.join(u'、')); });
    m_overlay =
        std::make_unique<DrawOverlay>(form->drawController(), form->drawPanel(), settingsIni);
    connect(form->drawPanel(), &DrawPanel::overlayRequested, this,
            [this] { m_overlay->toggle(m_mainWindow.get()); });

    ManualPanel* manual = form->manualPanel();
    m_groupUploader = new GroupUploader(
        form, form->requestGate(), m_endpoints, [manual] { return manual->operationPassword(); },
        [form] { return form->chosenClass(); }, groups, this);
    connect(form, &MainWindow::groupUploadRequested, m_groupUploader, &GroupUploader::upload);
    // Downloaded again, so that choosing the class anew gives back the groups just sent.
    connect(m_groupUploader, &GroupUploader::uploaded, form, &MainWindow::groupsSent);
    connect(m_groupUploader, &GroupUploader::uploaded, form, &MainWindow::refreshFigures);
    connect(form, &MainWindow::userRequested, this, &ProgramWindows::showLoginWindow);
    connect(form, &MainWindow::manageRequested, this, &ProgramWindows::openConsole);
    connect(form, &MainWindow::historyRequested, this, &ProgramWindows::openHistory);
}

ProgramWindows::~ProgramWindows() {
    delete m_console.data();
}

void ProgramWindows::start() {
    m_mainWindow->show();
    m_status->start();
}

void ProgramWindows::showLoginWindow() {
    if (!m_login) {
        m_login =
            std::make_unique<LoginWindow>(m_session, m_endpoints, m_folder, m_users, m_connected);
        connect(m_login.get(), &LoginWindow::onlineLogin, this, &ProgramWindows::afterOnlineLogin);
        connect(m_login.get(), &LoginWindow::offlineLogin, this,
                &ProgramWindows::afterOfflineLogin);
        connect(m_login.get(), &LoginWindow::returned, this, &ProgramWindows::showMainWindow);
        m_accounts = std::make_unique<AccountWindows>(*m_login, m_endpoints, m_localMailFolder);
        LoginWindow* login = m_login.get();
        AccountWindows* accounts = m_accounts.get();
        connect(login, &LoginWindow::registrationRequested, accounts,
                &AccountWindows::openRegistration);
        connect(login, &LoginWindow::passwordResetRequested, accounts,
                &AccountWindows::openPasswordReset);
        connect(accounts, &AccountWindows::registered, login, &LoginWindow::setUserName);
        if (m_backups) {
            login->offerBackups();
            connect(login, &LoginWindow::backupsRequested, this, &ProgramWindows::openBackups);
        }
    }
    placeOver(m_login.get(), m_mainWindow.get());
    hideMainWindow();
    bringUp(m_login.get());
}

void ProgramWindows::bringToFront() {
    QWidget* standing = m_mainWindow.get();
    if (m_mainWindow->isHidden()) {
        if (m_console && m_console->isVisible())
            standing = m_console;
        else if (m_login && m_login->isVisible())
            standing = m_login.get();
    }
    bringUp(standing);
}

ChannelAnswer ProgramWindows::drawFromOutside(const QString& caption) {
    const bool turn = caption == drawButtonCaption(TurnButton);
    const std::optional<int> category = turn ? TurnButton : categoryOfCaption(caption);
    if (!category) {
        QStringList captions;
        for (int i = 0; i < DrawCategoryCount; ++i)
            captions << drawButtonCaption(i);
        captions << drawButtonCaption(TurnButton);
        return refusal(QStringLiteral("没有“%1”这个类别，可以用：%2")
                           .arg(caption, captions.join(QStringLiteral("、"))));
    }
    if (m_session.userName.isEmpty() || m_mainWindow->isHidden())
        return refusal(QStringLiteral("还没有登录：请先在 Ordalis 中登录并选择班级"));
    if (m_mainWindow->chosenClass().isEmpty())
        return refusal(QStringLiteral("还没有选择班级"));
    DrawController* draw = m_mainWindow->drawController();
    if (draw->isRolling() && draw->engine().startedCategory() == *category)
        return QStringLiteral("正在抽取");
    // 轮流 draws among those present.
    if (draw->engine().kind(turn ? AllStudents : *category).isEmpty())
        return refusal(QStringLiteral("“%1”中没有学生").arg(caption));
    draw->toggle(*category);
    return QString();
}

ChannelAnswer ProgramWindows::stopFromOutside() {
    DrawController* draw = m_mainWindow->drawController();
    if (m_mainWindow->isHidden() || !draw->isRolling())
        return refusal(QStringLiteral("没有正在进行的抽取"));
    QString called;
    const QMetaObject::Connection taking = connect(
        draw, &DrawController::called, this, [&called](const QString& name) { called = name; });
    const QMetaObject::Connection takingSeveral =
        connect(draw, &DrawController::calledSeveral, this,
                [&called](const QStringList& names) { called = names.join(u'、'); });
    draw->toggle(draw->engine().startedCategory());
    disconnect(taking);
    disconnect(takingSeveral);
    return called;
}

void ProgramWindows::openHistory() {
    if (m_session.userName.isEmpty()) {
        dialogs::showMessage(
            m_mainWindow.get(), QStringLiteral("课堂记录"),
            QStringLiteral("课堂记录按班级查看：请先登录（或离线登录），再选择班级。"),
            dialogs::Icon::Information);
        return;
    }
    if (!m_history) {
        MainWindow* form = m_mainWindow.get();
        HistoryWindow::Sources sources;
        sources.roster = [form](const QString& className) { return form->studentsOf(className); };
        sources.pendingScores = [form] { return form->uploadPanel()->pendingLines(); };
        sources.pendingTopic = [form] { return form->uploadPanel()->topic(); };
        sources.pendingCalls = [this] { return m_pending->pendingCalls(); };
        sources.online = [this] { return m_session.canChangeService(); };
        sources.absent = [form](const QString& className, const QDate& day) {
            return form->absentOn(className, day);
        };
        sources.setAbsent = [form](const QString& className, const QString& name, bool absent) {
            form->markAbsent(className, name, absent);
        };
        m_history = std::make_unique<HistoryWindow>(
            m_endpoints, std::move(sources), m_folder.filePath(QStringLiteral("history.ini")));
    }
    if (!m_history->isVisible())
        placeOver(m_history.get(), m_mainWindow.get());
    bringUp(m_history.get());
    m_history->showClass(m_mainWindow->chosenClass());
}

void ProgramWindows::setBackups(Backups* backups) {
    m_backups = backups;
    connect(backups, &Backups::failed, this, [this](const QString& message) {
        // Over the window in front, where the teacher can close it.
        QWidget* front = QApplication::activeModalWidget();
        if (front == nullptr)
            front = m_login && m_login->isVisible() ? static_cast<QWidget*>(m_login.get())
                                                    : m_mainWindow.get();
        dialogs::showNotice(front, QStringLiteral("数据备份"), message, dialogs::Icon::Warning);
    });
    connect(backups, &Backups::restored, this, &ProgramWindows::afterRestore);
}

void ProgramWindows::openBackups() {
    if (!m_backupWindow)
        m_backupWindow = std::make_unique<BackupWindow>(*m_backups);
    if (!m_backupWindow->isVisible())
        placeOver(m_backupWindow.get(), m_login.get());
    bringUp(m_backupWindow.get());
}

void ProgramWindows::afterRestore(bool done) {
    if (!done)
        return;
    m_session = Session{};
    userChanged();
    // As at the start: the record went with the old data, and nobody is logged in.
    m_mainWindow->applyTeacherRecord(SessionMode::Offline);
    m_mainWindow->drawPanel()->setClassBoxEnabled(false);
    m_mainWindow->drawPanel()->setManageEnabled(false);
    if (m_login)
        m_login->probe(); // no record: no offline login
}

ConsoleWindow* ProgramWindows::console() const {
    return m_console;
}

void ProgramWindows::openConsole() {
    if (!m_console) {
        MainWindow* form = m_mainWindow.get();
        ConsoleHooks hooks;
        UploadPanel* upload = form->uploadPanel();
        hooks.operationPassword = [upload] { return upload->operationPassword(); };
        hooks.setOperationPassword = [upload](const QString& password) {
            upload->setOperationPassword(password);
        };
        // The console has just downloaded the record: the main window shows the file.
        hooks.applyRecord = [form] { form->applyTeacherRecord(SessionMode::Offline); };
        hooks.showTopicStandards = [form] { form->showTopicStandards(); };
        hooks.openFileName = [form](const QString& title, const QString& filter) {
            return dialogs::openFileName(form, title, filter);
        };
        hooks.deletions = m_deletions;
        m_console = new ConsoleWindow(m_session, m_endpoints, m_folder, m_config, hooks);
        connect(m_console, &ConsoleWindow::returned, this, &ProgramWindows::showMainWindow);
        connect(m_console, &ConsoleWindow::closedByFrame, this, [this] {
            discardConsole();
            showMainWindow();
        });
    }
    m_console->open(m_mainWindow.get());
    hideMainWindow();
}

void ProgramWindows::hideMainWindow() {
    m_mainWindowAt = m_mainWindow->geometry().topLeft();
    m_mainWindow->hide();
    m_overlay->hide(); // it draws for the main window
}

void ProgramWindows::showMainWindow() {
    // Shown again where it was: left to itself, a window manager places it anew. A maximised
    // or full-screen window keeps to its screen by itself.
    // The frame's place is told the window itself: a move() to where the window was is no move
    // to Qt, and the window manager then places it as a new window.
    const bool placedByState =
        m_mainWindow->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (m_mainWindowAt && !placedByState) {
        if (QWindow* window = m_mainWindow->windowHandle())
            window->setPosition(*m_mainWindowAt);
        else
            m_mainWindow->move(*m_mainWindowAt);
    }
    m_mainWindow->show();
}

void ProgramWindows::discardConsole() {
    if (m_console)
        m_console->discard();
    m_console = nullptr;
}

// A login: the console of the last user goes, and the pending lines and the speech are the
// new user's.
void ProgramWindows::userChanged() {
    discardConsole();
    m_mainWindow->clearCalledStudent();
    m_pending->changeUser(m_session.userName);
    m_speech->setUser(m_session.userName);
}

void ProgramWindows::afterOnlineLogin() {
    userChanged();
    showMainWindow();
    m_mainWindow->applyTeacherRecord(SessionMode::Online);
    m_mainWindow->drawPanel()->setManageEnabled(true);
}

void ProgramWindows::afterOfflineLogin() {
    userChanged();
    m_mainWindow->applyTeacherRecord(SessionMode::Offline);
    showMainWindow();
}

} // namespace ordalis
