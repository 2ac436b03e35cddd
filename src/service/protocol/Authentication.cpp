// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/Authentication.h"

#include "storage/Sql.h"
#include "text/SecretText.h"

namespace ordalis::service {

namespace {

// The statements that read the stored hash of each kind of credential: by the teacher, with
// the failed checks the throttle counts for the account and address and for the address (so
// that a remembered credential is looked at with its throttle in one statement), and by the
// account with the teacher. Fixed statements, one pair per kind.
struct HashStatements {
    QString byIdWithFailures;
    QString byAccount;
};

#define ORDALIS_FAILURES_OF_TWO_SUBJECTS                                                           \
    "(SELECT COUNT(*) FROM failed_attempts WHERE subject = ? AND at > ?), "                        \
    "(SELECT COUNT(*) FROM failed_attempts WHERE subject = ? AND at > ?) "

const HashStatements& hashStatements(CredentialCache::Kind kind) {
    static const HashStatements login = {
        QStringLiteral("SELECT login_hash, " ORDALIS_FAILURES_OF_TWO_SUBJECTS
                       "FROM teachers WHERE id = ?"),
        QStringLiteral("SELECT id, login_hash FROM teachers WHERE account = ?")};
    static const HashStatements operation = {
        QStringLiteral("SELECT operation_hash, " ORDALIS_FAILURES_OF_TWO_SUBJECTS
                       "FROM teachers WHERE id = ?"),
        QStringLiteral("SELECT id, operation_hash FROM teachers WHERE account = ?")};
    static const HashStatements mp = {
        QStringLiteral("SELECT mp_hash, " ORDALIS_FAILURES_OF_TWO_SUBJECTS
                       "FROM teachers WHERE id = ?"),
        QStringLiteral("SELECT id, mp_hash FROM teachers WHERE account = ?")};
    switch (kind) {
    case CredentialCache::Kind::Login:
        return login;
    case CredentialCache::Kind::Operation:
        return operation;
    case CredentialCache::Kind::Mp:
        break;
    }
    return mp;
}

#undef ORDALIS_FAILURES_OF_TWO_SUBJECTS

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
    context.metrics.throttled(ServiceMetrics::Limit::FailedChecks);
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
    CredentialCache& cache = context.credentials;
    const CredentialCache::Key key = cache.key(kind, account, secret);
    const QString& peer = call.request.peer;
    if (const auto cached = cache.find(key)) {
        // Nothing committed since the stored hash and this address's throttle were last seen
        // (a failed check is a commit): no statement at all. Otherwise one indexed lookup
        // instead of the slow hash, which also counts the throttle's failures: a throttled
        // address is refused before the credential counts, so a right guess is answered like
        // a wrong one; the credential stands while its hash is still the stored one.
        const quint64 stamp = call.changeStamp();
        if (cached->stamp == stamp && cached->peer == peer)
            return cached->teacherId;
        const Throttle::Subjects counted = context.throttle.subjects(account, peer);
        SqlRows row = sqlRun(call.db, hashStatements(kind).byIdWithFailures,
                             {counted.accountAndPeer, counted.since, counted.peer, counted.since,
                              cached->teacherId});
        if (row.next()) {
            if (context.throttle.spent(row.value(1).toInt(), row.value(2).toInt())) {
                *refusal = throttledRefusal(context);
                return std::nullopt;
            }
            if (row.value(0).toString() == cached->storedHash) {
                cache.confirm(key, stamp, peer);
                return cached->teacherId;
            }
        }
    }
    const PasswordHasher::Slot slot = context.hasher.enter();
    const auto attempt = context.throttle.begin(call.db, account, peer);
    if (!attempt) {
        *refusal = throttledRefusal(context);
        return std::nullopt;
    }
    const auto verified = context.throttle.judge(
        call.db, *attempt, [&]() -> std::optional<CredentialCache::Verified> {
            const quint64 stamp = call.changeStamp();
            SqlRows row = sqlRun(call.db, hashStatements(kind).byAccount, {account});
            if (!row.next() || !context.hasher.verify(slot, row.value(1).toString(), secret))
                return std::nullopt;
            context.throttle.succeeded(call.db, *attempt);
            return CredentialCache::Verified{row.value(0).toLongLong(), row.value(1).toString(),
                                             stamp, peer};
        });
    if (verified) {
        cache.remember(key, *verified);
        return verified->teacherId;
    }
    *refusal = wrongCredentialText(kind);
    return std::nullopt;
}

std::optional<qint64> authenticateReader(Call& call, QString* refusal) {
    return authenticate(call, CredentialCache::Kind::Mp, call.field("t"), call.field("mp"),
                        refusal);
}

} // namespace ordalis::service
