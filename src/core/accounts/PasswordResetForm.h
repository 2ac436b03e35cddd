// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The password reset form: when its two buttons may be pressed, what the service's reply to a
// code request means, and the new passwords as they are sent.

#include <QString>

namespace ordalis {

struct PasswordResetForm {
    QString account;
    QString email;
    QString checkCode;
    bool resetsLogin = false;
    QString newLoginPassword;
    bool resetsOperation = false;
    QString newOperationPassword;

    // Account and e-mail address given.
    bool canRequestCode() const;
    // Account and code given, at least one password chosen, and every chosen one typed.
    bool canReset() const;

    // The new passwords as sent: trimmed when chosen, empty (no change) otherwise.
    QString sentLoginPassword() const;
    QString sentOperationPassword() const;
};

enum class CodeRequestReply { Mailed, NoSuchAccount, NoAnswer };

// "success" and "failure" exactly; anything else, the empty text included, is no answer.
CodeRequestReply readCodeRequestReply(const QString& reply);

} // namespace ordalis
