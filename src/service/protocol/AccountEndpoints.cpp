// SPDX-License-Identifier: GPL-3.0-or-later
// Teacher accounts: registration, login, personal data, and the reset of a forgotten password
// by a mailed check code.

#include "protocol/AccountEndpoints.h"

#include "protocol/Authentication.h"
#include "protocol/Names.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"
#include "text/SecretText.h"
#include "text/WireText.h"
#include "wire/TeacherData.h"

#include <sodium.h>

namespace ordalis::service {

namespace {

constexpr int CheckCodeLifetimeSeconds = 30 * 60;
constexpr int MaxCheckCodeTries = 5;

// The hashes of new passwords, made before the transaction so that the slow hash never holds
// the write lock. An empty password leaves its hashes null: no change.
struct NewPasswords {
    QVariant login;
    QVariant mp; // of the MD5 of the login password, which the program sends on every read
    QVariant operation;
};

NewPasswords hashNewPasswords(PasswordHasher& hasher, const QString& login,
                              const QString& operation) {
    NewPasswords hashes;
    if (login.isEmpty() && operation.isEmpty())
        return hashes;
    const PasswordHasher::Slot slot = hasher.enter();
    if (!login.isEmpty()) {
        hashes.login = hasher.hash(slot, login);
        hashes.mp = hasher.hash(slot, md5Hex(login));
    }
    if (!operation.isEmpty())
        hashes.operation = hasher.hash(slot, operation);
    // A hash that could not be made (out of memory) must never be stored as a password.
    for (const QVariant* hash : {&hashes.login, &hashes.mp, &hashes.operation})
        if (!hash->isNull() && hash->toString().isEmpty())
            throw HashingBusy();
    return hashes;
}

void storeNewPasswords(const QSqlDatabase& db, qint64 teacherId, const NewPasswords& hashes) {
    if (!hashes.login.isNull())
        sqlRun(db, QStringLiteral("UPDATE teachers SET login_hash = ?, mp_hash = ? WHERE id = ?"),
               {hashes.login, hashes.mp, teacherId});
    if (!hashes.operation.isNull())
        sqlRun(db, QStringLiteral("UPDATE teachers SET operation_hash = ? WHERE id = ?"),
               {hashes.operation, teacherId});
}

// Account names are unique whatever their letter case.
bool accountTaken(const QSqlDatabase& db, const QString& account) {
    return sqlValue(db, QStringLiteral("SELECT id FROM teachers WHERE lower(account) = lower(?)"),
                    {account})
        .has_value();
}

// Six digits, as the codes mailed.
bool isCheckCode(const QString& code) {
    return code.size() == 6 &&
           std::all_of(code.cbegin(), code.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The live code of the teacher that matches. Every try counts against every live code of the
// account before any is checked, whatever address it comes from, and a code dies after
// MaxCheckCodeTries wrong tries: six digits cannot be guessed by rotating addresses.
std::optional<qint64> matchingCheckCode(Call& call, qint64 teacherId, const QString& code) {
    ServiceContext& context = call.context;
    SqlRows candidates;
    {
        Transaction transaction(context.database, call.db, Transaction::Bookkeeping);
        candidates = sqlRun(call.db,
                            QStringLiteral("UPDATE check_codes SET tries = tries + 1 "
                                           "WHERE teacher_id = ? AND used = 0 AND expires_at >= ? "
                                           "AND tries < ? RETURNING id, code"),
                            {teacherId, call.now(), MaxCheckCodeTries});
        transaction.commit();
    }
    if (!candidates.next())
        return std::nullopt;
    const PasswordHasher::Slot slot = context.hasher.enter();
    do
        if (context.hasher.verify(slot, candidates.value(1).toString(), code))
            return candidates.value(0).toLongLong();
    while (candidates.next());
    return std::nullopt;
}

} // namespace

Reply checkPassword(Call& call) {
    const Expected<qint64> teacher =
        authenticate(call, CredentialCache::Kind::Login, call.field(wire::field::UserName),
                     call.field(wire::field::Password));
    return teacher ? Reply::text(DoneText) : Reply::refused(teacher.refusal());
}

Reply registerTeacher(Call& call) {
    const QString account = call.field(wire::field::UserName).trimmed();
    const QString name = call.field(wire::field::TeacherName).trimmed();
    const QString password = trimSecret(call.field(wire::field::Password));
    const QString operation = trimSecret(call.field(wire::field::OperationPassword));
    const QString email = call.field(wire::field::Email).trimmed();
    const QString mobile = call.field(wire::field::Mobile).trimmed();
    const QString tel = call.field(wire::field::Telephone).trimmed();
    const QString qq = call.field(wire::field::Qq).trimmed();

    if (!isValidAccount(account))
        return Reply::text(QStringLiteral("帐号须为4到32位字母、数字或_"));
    if (const Expected<> fits = checkName(name, QStringLiteral("教师姓名")); !fits)
        return Reply::refused(fits.refusal());
    if (!isValidEmail(email))
        return Reply::text(QStringLiteral("Email地址不正确"));
    if (password.isEmpty() || operation.isEmpty())
        return Reply::text(QStringLiteral("登录密码和操作密码都不能为空"));
    for (const QString* contact : {&mobile, &tel, &qq})
        if (contact->size() > 40 || !checkText(*contact, QString()))
            return Reply::text(QStringLiteral("手机、电话或QQ号码格式不正确"));

    if (accountTaken(call.db, account))
        return Reply::text(QStringLiteral("该帐号已被注册"));
    const Throttle& throttle = call.context.throttle;
    if (!throttle.allowEvents(call.db, {{QStringLiteral("register:") + call.request.peer,
                                         throttle.limits().registrationsPerPeer}})) {
        call.context.metrics.throttled(ServiceMetrics::Limit::Events);
        return Reply::text(QStringLiteral("注册过于频繁，请稍后再试"));
    }
    const NewPasswords hashes = hashNewPasswords(call.context.hasher, password, operation);
    try {
        Transaction transaction(call.context.database, call.db);
        sqlRun(call.db,
               QStringLiteral(
                   "INSERT INTO teachers (account, name, email, mobile, tel, qq, login_hash, "
                   "operation_hash, mp_hash, created_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {account, name, email, mobile, tel, qq, hashes.login, hashes.operation, hashes.mp,
                call.now()});
        transaction.commit();
    } catch (const DatabaseError&) {
        // Two registrations of one name at once: the unique index lets one through.
        if (accountTaken(call.db, account))
            return Reply::text(QStringLiteral("该帐号已被注册"));
        throw;
    }
    return Reply::text(DoneText);
}

Reply checkUserName(Call& call) {
    const QString account = call.field(wire::field::NameToCheck).trimmed();
    if (!isValidAccount(account))
        return Reply::text(QStringLiteral("帐号须为4到32位字母、数字或_"));
    if (accountTaken(call.db, account))
        return Reply::text(QStringLiteral("该帐号已被注册"));
    return Reply::text(QStringLiteral("√"));
}

Reply getTeacher(Call& call) {
    const Expected<qint64> teacher = authenticateReader(call);
    if (!teacher)
        return Reply::refused(teacher.refusal());
    SqlRows row =
        sqlRun(call.db, QStringLiteral("SELECT name, account, email FROM teachers WHERE id = ?"),
               {*teacher});
    if (!row.next())
        return Reply::text(QStringLiteral("帐号不存在"));
    return Reply::text(TeacherData{row.value(u"name").toString(), row.value(u"account").toString(),
                                   row.value(u"email").toString()}
                           .toText());
}

Reply setTeacher(Call& call) {
    const Expected<qint64> teacher =
        authenticate(call, CredentialCache::Kind::Operation, call.field(wire::field::UserName),
                     call.field(wire::field::OldOperationPassword));
    if (!teacher)
        return Reply::refused(teacher.refusal());
    const QString email = call.field(wire::field::Email).trimmed();
    const QString newLogin = trimSecret(call.field(wire::field::NewLoginPassword));
    const QString newOperation = trimSecret(call.field(wire::field::NewOperationPassword));
    if (!isValidEmail(email))
        return Reply::text(QStringLiteral("Email地址不正确"));

    const NewPasswords hashes = hashNewPasswords(call.context.hasher, newLogin, newOperation);
    Transaction transaction(call.context.database, call.db);
    sqlRun(call.db, QStringLiteral("UPDATE teachers SET email = ? WHERE id = ?"),
           {email, *teacher});
    storeNewPasswords(call.db, *teacher, hashes);
    transaction.commit();
    call.context.credentials.forgetTeacher(*teacher);
    return Reply::text(DoneText);
}

Reply getPasswordCode(Call& call) {
    const QString account = call.field(wire::field::UserName).trimmed();
    const QString email = call.field(wire::field::Email).trimmed();
    ServiceContext& context = call.context;
    const Throttle& throttle = context.throttle;
    const auto attempt = throttle.begin(call.db, account, call.request.peer);
    if (!attempt)
        return Reply::text(throttledRefusal(context));

    SqlRows row = throttle.judge(call.db, *attempt, [&] {
        return sqlRun(call.db,
                      QStringLiteral("SELECT id, account, email FROM teachers WHERE account = ?"),
                      {account});
    });
    if (!row.next() || row.value(2).toString().compare(email, Qt::CaseInsensitive) != 0)
        return Reply::text(QStringLiteral("failure"));
    throttle.succeeded(call.db, *attempt);
    const qint64 teacherId = row.value(0).toLongLong();
    const QString storedAccount = row.value(1).toString();
    const QString address = row.value(2).toString();
    // Codes are mailed within limits per client, per account and per mailbox, so that neither
    // one client nor many fresh accounts can flood an address.
    const Throttle::Limits& limits = throttle.limits();
    if (!throttle.allowEvents(
            call.db,
            {{QStringLiteral("code-peer:") + call.request.peer, limits.codeMailsPerPeer},
             {QStringLiteral("code-account:") + storedAccount.toLower(),
              limits.codeMailsPerAccount},
             {QStringLiteral("code-email:") + address.toLower(), limits.codeMailsPerEmail}})) {
        context.metrics.throttled(ServiceMetrics::Limit::Events);
        return Reply::text(QStringLiteral("验证码发送过于频繁，请稍后再试"));
    }

    const QString code =
        QStringLiteral("%1").arg(randombytes_uniform(1000000), 6, 10, QLatin1Char('0'));
    // Kept as a slow salted hash, as passwords are: a copy of the database gives no code.
    QString codeHash;
    {
        const PasswordHasher::Slot slot = context.hasher.enter();
        codeHash = context.hasher.hash(slot, code);
    }
    if (codeHash.isEmpty())
        throw HashingBusy();
    const qint64 now = call.now();
    Transaction transaction(context.database, call.db);
    sqlRun(call.db, QStringLiteral("DELETE FROM check_codes WHERE expires_at < ?"), {now});
    sqlRun(call.db,
           QStringLiteral("INSERT INTO check_codes (teacher_id, code, expires_at, used, tries) "
                          "VALUES (?, ?, ?, 0, 0)"),
           {teacherId, codeHash, now + CheckCodeLifetimeSeconds});
    transaction.commit();
    const QString body = QStringLiteral("您好，\r\n\r\n帐号 %1 的密码重置验证码是：%2\r\n"
                                        "验证码30分钟内有效，只能使用一次。\r\n"
                                        "如果不是您本人操作，请忽略这封邮件。\r\n")
                             .arg(storedAccount, code);
    if (!context.mail.send(storedAccount, address, QStringLiteral("密码重置验证码"), body))
        return Reply::text(QStringLiteral("验证码邮件无法发送，请联系管理员"));
    return Reply::text(QStringLiteral("success"));
}

Reply setPassword(Call& call) {
    const QString account = call.field(wire::field::UserName).trimmed();
    const QString code = call.field(wire::field::CheckCode).trimmed();
    const QString newLogin = trimSecret(call.field(wire::field::ResetLoginPassword));
    const QString newOperation = trimSecret(call.field(wire::field::ResetOperationPassword));
    ServiceContext& context = call.context;
    if (newLogin.isEmpty() && newOperation.isEmpty())
        return Reply::text(QStringLiteral("请填写新的登录密码或操作密码"));
    const auto attempt = context.throttle.begin(call.db, account, call.request.peer);
    if (!attempt)
        return Reply::text(throttledRefusal(context));

    const auto codeId = context.throttle.judge(call.db, *attempt, [&]() -> std::optional<qint64> {
        const auto teacher = sqlValue(
            call.db, QStringLiteral("SELECT id FROM teachers WHERE account = ?"), {account});
        if (!teacher || !isCheckCode(code))
            return std::nullopt;
        return matchingCheckCode(call, teacher->toLongLong(), code);
    });
    if (!codeId)
        return Reply::text(QStringLiteral("failure"));
    const qint64 teacherId =
        sqlValue(call.db, QStringLiteral("SELECT teacher_id FROM check_codes WHERE id = ?"),
                 {*codeId})
            .value_or(0)
            .toLongLong();

    const NewPasswords hashes = hashNewPasswords(context.hasher, newLogin, newOperation);
    Transaction transaction(context.database, call.db);
    // Marking the code used only if it is still unused keeps it single-use even when two
    // resets race.
    if (sqlRun(call.db, QStringLiteral("UPDATE check_codes SET used = 1 WHERE id = ? AND used = 0"),
               {*codeId})
            .numRowsAffected() == 0)
        return Reply::text(QStringLiteral("failure"));
    sqlRun(call.db, QStringLiteral("UPDATE check_codes SET used = 1 WHERE teacher_id = ?"),
           {teacherId});
    storeNewPasswords(call.db, teacherId, hashes);
    transaction.commit();
    context.throttle.succeeded(call.db, *attempt);
    context.credentials.forgetTeacher(teacherId);
    return Reply::text(QStringLiteral("success"));
}

Registrations accountRoutes() {
    static const Registration routes[] = {
        {wire::CheckPassword, checkPassword},  {wire::RegisterTeacher, registerTeacher},
        {wire::SetPassword, setPassword},      {wire::CheckUserName, checkUserName},
        {wire::PasswordCode, getPasswordCode}, {wire::SetTeacher, setTeacher},
        {wire::Teacher, getTeacher},
    };
    return routes;
}

} // namespace ordalis::service
