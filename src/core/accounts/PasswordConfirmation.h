// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A new password is typed twice: a slip of a finger must not lock a teacher out of an account.

#include "text/Refusal.h"

#include <QString>

namespace ordalis {

// Refused with "两次输入的登录密码不一致，请重新输入！" for which = "登录密码" when the two
// differ.
inline Expected<> checkConfirmation(const QString& password, const QString& again,
                                    const QString& which) {
    if (password != again)
        return refusal(QStringLiteral("两次输入的%1不一致，请重新输入！").arg(which));
    return {};
}

} // namespace ordalis
