// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registration window frmReg: a teacher without an account creates one. The wished-for
// name is checked while it is typed, without holding the window up; the required fields are
// checked when 注册 is pressed, and a new account's name goes back to the login window.

#include "accounts/NameCheck.h"
#include "common/RequestGate.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ordalis {

class ServiceEndpoints;
enum class RegistrationField;

class RegistrationWindow : public QWidget {
    Q_OBJECT

public:
    explicit RegistrationWindow(ServiceEndpoints& service, QWidget* parent = nullptr);

Q_SIGNALS:
    // The account was made; the window has hidden itself.
    void registered(const QString& account);
    // 返回 or closed: the window has hidden itself.
    void returned();

protected:
    void closeEvent(QCloseEvent* event) override;

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
    QLineEdit* m_mobile;
    QLineEdit* m_telephone;
    QLineEdit* m_qq;
    QPushButton* m_register;
    QPushButton* m_back;
};

} // namespace ordalis
