// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The login window's two account windows: 注册帐号 makes way for the registration window,
// 忘记密码 for the password reset window; each is created at its first opening, hidden rather
// than closed, and leads back to the login window. A new account's name is handed back with
// registered(), for the login window's user box. The login window is only a window here: its
// owner connects its requests, so the account windows stay below the session's windows.

#include <QObject>
#include <memory>

class QWidget;

namespace ordalis {

class PasswordResetWindow;
class RegistrationWindow;
class ServiceEndpoints;

class AccountWindows : public QObject {
    Q_OBJECT

public:
    // localMailFolder: where the service on this machine keeps its check-code mails instead
    // of sending them; empty when the service sends them.
    AccountWindows(QWidget& login, ServiceEndpoints& service,
                   const QString& localMailFolder = QString(), QObject* parent = nullptr);
    ~AccountWindows() override;

    // Null until first opened.
    RegistrationWindow* registration() const { return m_registration.get(); }
    PasswordResetWindow* passwordReset() const { return m_passwordReset.get(); }

    void openRegistration();
    void openPasswordReset();

Q_SIGNALS:
    // A new account was registered: its name belongs in the login window's user box.
    void registered(const QString& account);

private:
    void backToLogin();

    QWidget& m_login;
    ServiceEndpoints& m_service;
    QString m_localMailFolder;
    std::unique_ptr<RegistrationWindow> m_registration;
    std::unique_ptr<PasswordResetWindow> m_passwordReset;
};

} // namespace ordalis
