// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/Authentication.h"

#include "accounts/SecretText.h"
#include "storage/Sql.h"

namespace ordalis::service {

namespace {

const char* hashColumn(CredentialCache::Kind kind) {
    switch (kind) {
    case CredentialCache::Kind::Login:
        return "login_hash";
    case CredentialCache::Kind::Operation:
        return "operation_hash";
    case CredentialCache::Kind::Mp:
        break;
    }
    return "mp_hash";
}

QString wrongCredentialText(CredentialCache::Kind kind) {
    switch (kind) {
    case CredentialCache::Kind::Login:
        return QStringLiteral("用户名或密码错误");
    case CredentialCache::Kind::Operation:
        return QStringLiteral("用户名或操作密码错误");
    case CredentialCache::Kind::Mp:
        break;
    }
    return QStringLiteral("登录信息无效，请重新登录");
}

} // namespace

std::optional<qint64> authenticate(Call& call, CredentialCache::Kind kind,
                                   const QString& rawAccount, const QString& typedSecret,
                                   QString* refusal) {
    ServiceContext& context = call.context;
    const QString account = rawAccount.trimmed();
    // Stored secrets were trimmed by the same rule when they were set.
    const QString secret = trimSecret(typedSecret);
    if (secret.isEmpty()) {
        *refusal = kind == CredentialCache::Kind::Operation ? QStringLiteral("请输入操作密码")
                                                            : wrongCredentialText(kind);
        return std::nullopt;
    }
    if (const auto cached = context.credentials.teacherFor(kind, account, secret))
        return cached;
    if (context.throttle.blocked(call.db, account, call.request.peer)) {
        *refusal =
            QStringLiteral("失败次数过多，请%1分钟后再试").arg(context.throttle.windowMinutes());
        return std::nullopt;
    }
    QSqlQuery row = sqlRun(
        call.db,
        QStringLiteral("SELECT id, %1 FROM teachers WHERE account = ?").arg(hashColumn(kind)),
        {account});
    if (row.next() && PasswordHasher::verify(row.value(1).toString(), secret)) {
        const qint64 teacherId = row.value(0).toLongLong();
        context.credentials.remember(kind, account, secret, teacherId);
        return teacherId;
    }
    context.throttle.recordFailure(call.db, account, call.request.peer);
    *refusal = wrongCredentialText(kind);
    return std::nullopt;
}

std::optional<qint64> authenticateReader(Call& call, QString* refusal) {
    return authenticate(call, CredentialCache::Kind::Mp, call.field("t"), call.field("mp"),
                        refusal);
}

} // namespace ordalis::service
