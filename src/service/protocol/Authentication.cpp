// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/Authentication.h"

#include "storage/Sql.h"
#include "text/SecretText.h"

namespace ordalis::service {

namespace {

// The statements that read the stored hash of each kind of credential: by the teacher, with
// the throttle's generation (so that a remembered credential is looked at in one statement),
// and by the account with the teacher. Fixed statements, one pair per kind.
struct HashStatements {
    QString byIdWithThrottle;
    QString byAccount;
};

HashStatements statementsFor(const char* hashColumn) {
    const QString column = QLatin1String(hashColumn);
    return {QStringLiteral("SELECT %1, %2 FROM teachers WHERE id = ?")
                .arg(column, QLatin1String(Throttle::GenerationSelect)),
            QStringLiteral("SELECT id, %1 FROM teachers WHERE account = ?").arg(column)};
}

const HashStatements& hashStatements(CredentialCache::Kind kind) {
    static const HashStatements login = statementsFor("login_hash");
    static const HashStatements operation = statementsFor("operation_hash");
    static const HashStatements mp = statementsFor("mp_hash");
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

Expected<qint64> authenticate(Call& call, CredentialCache::Kind kind, const QString& rawAccount,
                              const QString& typedSecret) {
    ServiceContext& context = call.context;
    const QString account = rawAccount.trimmed();
    // Stored secrets were trimmed by the same rule when they were set.
    const QString secret = trimSecret(typedSecret);
    if (secret.isEmpty())
        return refusal(kind == CredentialCache::Kind::Operation ? QStringLiteral("请输入操作密码")
                                                                : wrongCredentialText(kind));
    CredentialCache& cache = context.credentials;
    const CredentialCache::Key key = cache.key(kind, account, secret);
    const QString& peer = call.request.peer;
    if (const auto cached = cache.find(key)) {
        // Nothing committed since the stored hash and this address's throttle were last seen
        // (a failed check is a commit): no statement at all. Otherwise one indexed lookup
        // instead of the slow hash. A throttled address is refused before the credential
        // counts, so that a right guess is answered like a wrong one: its failures are counted
        // when it is another address, or when some limit was spent since (the generation).
        const quint64 stamp = call.changeStamp();
        if (cached->stamp == stamp && cached->peer == peer)
            return cached->teacherId;
        SqlRows row = sqlRun(call.db, hashStatements(kind).byIdWithThrottle, {cached->teacherId});
        if (row.next()) {
            const qint64 generation = row.value(1).toLongLong();
            const bool unspentSince =
                cached->peer == peer && cached->throttleGeneration == generation;
            if (!unspentSince && context.throttle.isSpent(call.db, account, peer))
                return refusal(throttledRefusal(context));
            if (row.value(0).toString() == cached->storedHash) {
                cache.confirm(key, stamp, peer, generation);
                return cached->teacherId;
            }
        }
    }
    // Read before the throttle's check: a limit spent after it shows as a newer generation.
    const qint64 generation = context.throttle.generation(call.db);
    const PasswordHasher::Slot slot = context.hasher.enter();
    const auto attempt = context.throttle.begin(call.db, account, peer);
    if (!attempt)
        return refusal(throttledRefusal(context));
    const auto verified = context.throttle.judge(
        call.db, *attempt, [&]() -> std::optional<CredentialCache::Verified> {
            const quint64 stamp = call.changeStamp();
            SqlRows row = sqlRun(call.db, hashStatements(kind).byAccount, {account});
            if (!row.next() || !context.hasher.verify(slot, row.value(1).toString(), secret))
                return std::nullopt;
            context.throttle.succeeded(call.db, *attempt);
            return CredentialCache::Verified{row.value(0).toLongLong(), row.value(1).toString(),
                                             stamp, peer, generation};
        });
    if (verified) {
        cache.remember(key, *verified);
        return verified->teacherId;
    }
    return refusal(wrongCredentialText(kind));
}

Expected<qint64> authenticateReader(Call& call) {
    Expected<qint64> teacher =
        authenticate(call, CredentialCache::Kind::Mp, call.field(wire::field::Reader),
                     call.field(wire::field::ReaderMp));
    if (!teacher)
        return refusal(teacher.refusal().text, 403);
    return teacher;
}

} // namespace ordalis::service
