#include "Sql.h"

#include <QSqlError>

namespace ordalis::service {

QSqlQuery sqlRun(const QSqlDatabase& db, const QString& statement, const QVariantList& values) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw DatabaseError(query.lastError().text().toStdString());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw DatabaseError(query.lastError().text().toStdString());
    return query;
}

std::optional<QVariant> sqlValue(const QSqlDatabase& db, const QString& statement,
                                 const QVariantList& values) {
    QSqlQuery query = sqlRun(db, statement, values);
    if (!query.next())
        return std::nullopt;
    return query.value(0);
}

} // namespace ordalis::service
