#include "ServiceContext.h"
#include "Sql.h"
#include "text/WireText.h"

#include <QSqlRecord>

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
                                   const QString& rawAccount, const QString& secret,
                                   QString* refusal) {
    ServiceContext& context = call.context;
    const QString account = rawAccount.trimmed();
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

Reply readLines(Call& call, const QString& statement, const QVariantList& values,
                const QList<int>& numberColumns) {
    QString refusal;
    const auto teacher = authenticateReader(call, &refusal);
    if (!teacher)
        return Reply::forbidden(refusal);
    QSqlQuery rows = sqlRun(call.db, statement, QVariantList{*teacher} + values);
    QStringList lines;
    while (rows.next()) {
        QStringList fields;
        for (int column = 0; column < rows.record().count(); ++column)
            fields.append(numberColumns.contains(column)
                              ? shortestDecimal(rows.value(column).toDouble())
                              : rows.value(column).toString());
        lines.append(fields.join(u'\t'));
    }
    return Reply::text(lines.join(QStringLiteral("\r\n")));
}

} // namespace ordalis::service
