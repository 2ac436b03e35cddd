// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registration window frmReg: a teacher without an account creates one. The wished-for
// name is checked while it is typed, without holding the window up; the required fields are
// checked when 注册 is pressed, and a new account's name goes back to the login window.

#include "accounts/AccountWindow.h"
#include "accounts/NameCheck.h"
#include "common/RequestGate.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ordalis {

class ServiceEndpoints;
enum class RegistrationField;

class RegistrationWindow : public AccountWindow {
    Q_OBJECT

public:
    explicit RegistrationWindow(ServiceEndpoints& service, QWidget* parent = nullptr);

Q_SIGNALS:
    // The account was made; the window has hidden itself.
    void registered(const QString& account);

private:
    void checkName();
    void showNameCheck();
    void registerTeacher();
    QLineEdit* fieldOf(RegistrationField field) const;

    ServiceEndpoints& m_service;
    NameCheck m_nameCheck;
    RequestGate m_gate;

    QLineEdit* m_account;
    QLabel* m_accountHint;
    QLineEdit* m_teacherName;
    QLineEdit* m_email;
    QLineEdit* m_loginPassword;
    QLineEdit* m_operationPassword;
    QLineEdit* m_loginPasswordAgain;
    QLineEdit* m_operationPasswordAgain;
    QLineEdit* m_mobile;
    QLineEdit* m_telephone;
    QLineEdit* m_qq;
    QPushButton* m_register;
};

} // namespace ordalis
