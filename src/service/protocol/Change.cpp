// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/Change.h"

#include "protocol/Authentication.h"
#include "protocol/Names.h"
#include "storage/Sql.h"

#include <QRegularExpression>

namespace ordalis::service {

namespace {

constexpr qsizetype MaxDeletedIds = 5000;

bool isBatchId(const QString& batch) {
    static const QRegularExpression form(QStringLiteral("^[0-9a-fA-F]{32}$"));
    return form.match(batch).hasMatch();
}

// Keeps the batch id; false when the teacher's batch was stored before. Ids past their days
// are forgotten on the way.
bool claimBatch(const QSqlDatabase& db, qint64 teacherId, const QString& batch, qint64 now) {
    sqlRun(db, QStringLiteral("DELETE FROM upload_batches WHERE teacher_id = ? AND stored_at < ?"),
           {teacherId, now - qint64(BatchDays) * 24 * 3600});
    return sqlRun(db,
                  QStringLiteral("INSERT INTO upload_batches (teacher_id, batch, stored_at) "
                                 "VALUES (?, ?, ?) ON CONFLICT DO NOTHING"),
                  {teacherId, batch.toLower(), now})
               .numRowsAffected() > 0;
}

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

Reply runChange(Call& call, const ChangeOf& apply) {
    return runChange(call, {}, apply);
}

Reply runChange(Call& call, const std::function<void(qint64 teacherId)>& prepare,
                const ChangeOf& apply) {
    const QString batch = call.field(wire::field::Batch);
    if (!batch.isEmpty() && !isBatchId(batch))
        return Reply::text(QStringLiteral("批次编号不正确"));
    const Expected<qint64> teacher =
        authenticate(call, CredentialCache::Kind::Operation, call.field(wire::field::UserName),
                     call.field(wire::field::Password));
    if (!teacher)
        return Reply::refused(teacher.refusal());
    if (prepare)
        prepare(*teacher);
    const QSqlDatabase own = call.db;
    const GroupCommit::Result result =
        call.context.commits.run(call.db, [&](const QSqlDatabase& db) -> Expected<> {
            // The change may be written by another request's thread, on that thread's connection.
            call.db = db;
            // Changes run side by side on a database server: one teacher's wait for each other.
            if (!call.context.database.isSqlite())
                sqlRun(db, QStringLiteral("SELECT id FROM teachers WHERE id = ? FOR UPDATE"),
                       {*teacher});
            if (!batch.isEmpty() && !claimBatch(db, *teacher, batch, call.now()))
                return {}; // stored already: done, and nothing is stored twice
            Expected<> made = apply(*teacher);
            if (made)
                bumpRevision(db, *teacher);
            return made;
        });
    call.db = own;
    switch (result.outcome) {
    case GroupCommit::Outcome::Committed:
        return Reply::text(DoneText);
    case GroupCommit::Outcome::Refused:
        return Reply::refused(result.refusal);
    case GroupCommit::Outcome::Failed:
        break;
    }
    throw DatabaseError(result.failure.empty() ? "the change was not stored" : result.failure);
}

Reply deleteByIds(Call& call, DeletedKind kind, const QString& statement, const QString& badIds) {
    QList<qint64> ids;
    const bool valid = parseIdList(call.field(wire::field::DeletedIds), MaxDeletedIds, &ids);
    return runChange(call, [&](qint64 teacherId) -> Expected<> {
        if (!valid)
            return refusal(badIds);
        for (qint64 id : std::as_const(ids))
            if (keepDeleted(call.db, teacherId, kind, id, call.now()))
                sqlRun(call.db, statement, {id, teacherId});
        return {};
    });
}

} // namespace ordalis::service
