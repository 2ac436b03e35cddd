// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 0, 个人信息维护: the teacher's account as the service holds it, with the e-mail address
// and both passwords to change. A changed password takes effect in this session at once: the
// new login password's credential for later reads, the new operation password in the boxes
// that send it.

#include "console/ConsolePage.h"

class QLineEdit;

namespace ordalis {

class PersonalPage : public ConsolePage {
    Q_OBJECT
public:
    PersonalPage(ConsoleActions& actions, QWidget* parent);

    void enter(const QStringList& classes, const QStringList& topics) override;

Q_SIGNALS:
    // The service took a new operation password.
    void operationPasswordChanged(const QString& password);

private:
    void change();

    QLineEdit* m_name;
    QLineEdit* m_account;
    QLineEdit* m_email;
    QLineEdit* m_operationPassword;
    QLineEdit* m_newLoginPassword;
    QLineEdit* m_newOperationPassword;
};

} // namespace ordalis
