// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/Authentication.h"

#include "storage/Sql.h"
#include "text/SecretText.h"

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

QString throttledRefusal(const ServiceContext& context) {
    return QStringLiteral("失败次数过多，请%1分钟后再试").arg(context.throttle.windowMinutes());
}

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
    if (const auto cached = context.credentials.find(kind, account, secret)) {
        // One indexed lookup instead of the slow hash: the credential stands while the hash
        // it was verified against is still the stored one.
        const auto stored = sqlValue(
            call.db, QStringLiteral("SELECT %1 FROM teachers WHERE id = ?").arg(hashColumn(kind)),
            {cached->teacherId});
        if (stored && stored->toString() == cached->storedHash)
            return cached->teacherId;
    }
    const PasswordHasher::Slot slot = context.hasher.enter();
    const auto attempt = context.throttle.begin(call.db, account, call.request.peer);
    if (!attempt) {
        *refusal = throttledRefusal(context);
        return std::nullopt;
    }
    QSqlQuery row = sqlRun(
        call.db,
        QStringLiteral("SELECT id, %1 FROM teachers WHERE account = ?").arg(hashColumn(kind)),
        {account});
    if (row.next() && context.hasher.verify(slot, row.value(1).toString(), secret)) {
        const CredentialCache::Verified verified{row.value(0).toLongLong(),
                                                 row.value(1).toString()};
        context.throttle.succeeded(call.db, *attempt);
        context.credentials.remember(kind, account, secret, verified);
        return verified.teacherId;
    }
    *refusal = wrongCredentialText(kind);
    return std::nullopt;
}

std::optional<qint64> authenticateReader(Call& call, QString* refusal) {
    return authenticate(call, CredentialCache::Kind::Mp, call.field("t"), call.field("mp"),
                        refusal);
}

} // namespace ordalis::service
