// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A new password is typed twice: a slip of a finger must not lock a teacher out of an account.

#include <QString>

namespace ordalis {

// "两次输入的登录密码不一致，请重新输入！" for which = "登录密码" when the two differ; empty
// when they agree.
inline QString confirmationMismatch(const QString& password, const QString& again,
                                    const QString& which) {
    return password == again ? QString()
                             : QStringLiteral("两次输入的%1不一致，请重新输入！").arg(which);
}

} // namespace ordalis
