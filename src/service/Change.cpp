#include "Change.h"

#include "Endpoints.h"
#include "Names.h"
#include "Sql.h"

namespace ordalis::service {

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
    if (!transaction.commit())
        throw DatabaseError("commit failed");
    call.context.records.invalidate(*teacher);
    return Reply::text(kDone);
}

Reply deleteByIds(Call& call, const QString& statement, const QString& badIds) {
    QList<qint64> ids;
    const bool valid = parseIdList(call.field("delid"), &ids);
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
