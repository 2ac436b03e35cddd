// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasswordResetForm.h"

#include "text/SecretText.h"

namespace ordalis {

bool PasswordResetForm::canRequestCode() const {
    return !account.trimmed().isEmpty() && !email.trimmed().isEmpty();
}

bool PasswordResetForm::canReset() const {
    if (account.trimmed().isEmpty() || checkCode.trimmed().isEmpty())
        return false;
    if (!resetsLogin && !resetsOperation)
        return false;
    return (!resetsLogin || !sentLoginPassword().isEmpty()) &&
           (!resetsOperation || !sentOperationPassword().isEmpty());
}

QString PasswordResetForm::sentLoginPassword() const {
    return resetsLogin ? trimSecret(newLoginPassword) : QString();
}

QString PasswordResetForm::sentOperationPassword() const {
    return resetsOperation ? trimSecret(newOperationPassword) : QString();
}

CodeRequestReply readCodeRequestReply(const QString& reply) {
    if (reply == QLatin1String("success"))
        return CodeRequestReply::Mailed;
    if (reply == QLatin1String("failure"))
        return CodeRequestReply::NoSuchAccount;
    return CodeRequestReply::NoAnswer;
}

} // namespace ordalis
