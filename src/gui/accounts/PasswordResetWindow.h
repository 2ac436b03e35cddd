// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The password reset window frmPswd: a teacher who forgot a password has a check code mailed
// to the address given at registration, then sends it with a new login password, a new
// operation password, or both. The service checks that account, address and code belong
// together.

#include "accounts/AccountWindow.h"
#include "common/RequestGate.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ordalis {

class ServiceEndpoints;
struct PasswordResetForm;

class PasswordResetWindow : public AccountWindow {
    Q_OBJECT

public:
    explicit PasswordResetWindow(ServiceEndpoints& service, QWidget* parent = nullptr);

    // The service runs on this machine and keeps its mails in `folder` instead of sending
    // them (empty: the service mails them): the window then says where the code is.
    void setLocalMailFolder(const QString& folder) { m_localMailFolder = folder; }

private:
    PasswordResetForm form() const;
    void updateButtons();
    void requestCode();
    void resetPasswords();

    ServiceEndpoints& m_service;
    RequestGate m_gate;
    QString m_localMailFolder;

    QLineEdit* m_account;
    QLabel* m_emailLabel;
    QLineEdit* m_email;
    QCheckBox* m_resetsLogin;
    QLineEdit* m_newLoginPassword;
    QCheckBox* m_resetsOperation;
    QLineEdit* m_newOperationPassword;
    QLineEdit* m_newLoginPasswordAgain;
    QLineEdit* m_newOperationPasswordAgain;
    QLineEdit* m_checkCode;
    QPushButton* m_sendCode;
    QPushButton* m_reset;
};

} // namespace ordalis
