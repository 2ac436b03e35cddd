// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/Change.h"

#include "accounts/Authentication.h"
#include "protocol/Names.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

namespace ordalis::service {

namespace {

constexpr qsizetype MaxDeletedIds = 5000;

} // namespace

void bumpRevision(const QSqlDatabase& db, qint64 teacherId) {
    sqlRun(db, QStringLiteral("UPDATE teachers SET revision = revision + 1 WHERE id = ?"),
           {teacherId});
}

qint64 revisionOf(const QSqlDatabase& db, qint64 teacherId) {
    return sqlValue(db, QStringLiteral("SELECT revision FROM teachers WHERE id = ?"), {teacherId})
        .value_or(-1)
        .toLongLong();
}

Reply runChange(Call& call, const std::function<QString(qint64 teacherId)>& apply) {
    QString refusal;
    const auto teacher = authenticate(call, CredentialCache::Kind::Operation,
                                      call.field("username"), call.field("password"), &refusal);
    if (!teacher)
        return Reply::text(refusal);
    Transaction transaction(call.context.database, call.db);
    if (!transaction.isOpen())
        throw DatabaseError("cannot begin a transaction");
    refusal = apply(*teacher);
    if (!refusal.isEmpty())
        return Reply::text(refusal);
    bumpRevision(call.db, *teacher);
    if (!transaction.commit())
        throw DatabaseError("commit failed");
    return Reply::text(DoneText);
}

Reply deleteByIds(Call& call, const QString& statement, const QString& badIds) {
    QList<qint64> ids;
    const bool valid = parseIdList(call.field("delid"), MaxDeletedIds, &ids);
    return runChange(call, [&](qint64 teacherId) {
        if (!valid)
            return badIds;
        PreparedStatement remove(call.db, statement);
        for (qint64 id : std::as_const(ids))
            remove.run({id, teacherId});
        return QString();
    });
}

} // namespace ordalis::service
