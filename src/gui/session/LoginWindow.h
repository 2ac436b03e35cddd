// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The login window frmLogin: binds the program to a teacher account on the score service, or
// lets the teacher work offline from the last downloaded record. It fills the Session and
// tells the rest of the program what happened through its signals.

#include "common/RequestGate.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace ordalis {

class DataFolder;
class RememberedUsers;
class ServiceEndpoints;
struct Session;

class LoginWindow : public QWidget {
    Q_OBJECT

public:
    static inline const QString Prompt = QStringLiteral("请在此输入登录帐号");

    // connected answers whether the score service can be reached (the state probe).
    LoginWindow(Session& session, ServiceEndpoints& service, const DataFolder& folder,
                RememberedUsers& users, std::function<bool()> connected, QWidget* parent = nullptr);

    // Runs the state probe now instead of waiting for the next half second.
    void probe();
    // Puts a name into the user box, as after a registration.
    void setUserName(const QString& name);
    // Shows 数据备份, which leads to the backups of the service the program runs itself.
    void offerBackups();

Q_SIGNALS:
    // The Session holds the verified user: the main window is shown and the freshly
    // downloaded record is applied to it.
    void onlineLogin();
    // The Session's user is the offline user: the record on disk is applied.
    void offlineLogin();
    // Cancelled or closed: back to the main window, Session unchanged.
    void returned();
    void registrationRequested();
    void passwordResetRequested();
    void backupsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A remembered account in the box: the focus goes to the password, so that a password
    // typed at once never lands in the account box, in clear, on the projector.
    void showEvent(QShowEvent* event) override;

private:
    void showMissingCredentials();
    void fillUserBox();
    void loginOnline();
    void loginOffline();
    void forgetUsers();

    Session& m_session;
    ServiceEndpoints& m_service;
    const DataFolder& m_folder;
    RememberedUsers& m_users;
    std::function<bool()> m_connected;
    RequestGate m_gate;

    QComboBox* m_userBox;
    QLineEdit* m_passwordBox;
    QPushButton* m_loginButton;
    QPushButton* m_cancelButton;
    QPushButton* m_offlineButton;
    QPushButton* m_registerButton;
    QPushButton* m_resetButton;
    QPushButton* m_forgetButton;
    QPushButton* m_backupButton;
    QTimer* m_probeTimer;
};

} // namespace ordalis
