// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The login window's two account windows: 注册帐号 makes way for the registration window,
// 忘记密码 for the password reset window; each is created at its first opening, hidden rather
// than closed, and leads back to the login window. A new account's name is put into the login
// window's user box.

#include <QObject>
#include <memory>

namespace ordalis {

class LoginWindow;
class PasswordResetWindow;
class RegistrationWindow;
class ServiceEndpoints;

class AccountWindows : public QObject {
    Q_OBJECT

public:
    // localMailFolder: where the service on this machine keeps its check-code mails instead
    // of sending them; empty when the service sends them.
    AccountWindows(LoginWindow& login, ServiceEndpoints& service,
                   const QString& localMailFolder = QString(), QObject* parent = nullptr);
    ~AccountWindows() override;

    // Null until first opened.
    RegistrationWindow* registration() const { return m_registration.get(); }
    PasswordResetWindow* passwordReset() const { return m_passwordReset.get(); }

private:
    void openRegistration();
    void openPasswordReset();
    void backToLogin();

    LoginWindow& m_login;
    ServiceEndpoints& m_service;
    QString m_localMailFolder;
    std::unique_ptr<RegistrationWindow> m_registration;
    std::unique_ptr<PasswordResetWindow> m_passwordReset;
};

} // namespace ordalis
