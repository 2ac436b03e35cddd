// SPDX-License-Identifier: GPL-3.0-or-later
#include "OperationGuard.h"

#include "session/Session.h"

namespace ordalis::console {

Expected<> checkOperation(const QString& userName, const QString& operationPassword) {
    if (userName.isEmpty() || userName == Session::OfflineUserName)
        return refusal(QStringLiteral("登录后才能进行此操作！"));
    if (operationPassword.isEmpty())
        return refusal(QStringLiteral("请在右侧输入操作密码！"));
    return {};
}

} // namespace ordalis::console
