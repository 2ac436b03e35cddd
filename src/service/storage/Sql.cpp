// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Sql.h"

#include <QSqlError>

namespace ordalis::service {

PreparedStatement::PreparedStatement(const QSqlDatabase& db, const QString& statement)
    : m_query(db) {
    m_query.setForwardOnly(true);
    if (!m_query.prepare(statement))
        throw DatabaseError(m_query.lastError().text().toStdString());
}

QSqlQuery& PreparedStatement::run(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        m_query.bindValue(i, values[i]);
    if (!m_query.exec())
        throw DatabaseError(m_query.lastError().text().toStdString());
    return m_query;
}

QSqlQuery sqlRun(const QSqlDatabase& db, const QString& statement, const QVariantList& values) {
    PreparedStatement prepared(db, statement);
    return std::move(prepared.run(values));
}

void sqlExec(const QSqlDatabase& db, const QString& statement) {
    QSqlQuery query(db);
    if (!query.exec(statement))
        throw DatabaseError(query.lastError().text().toStdString());
}

std::optional<QVariant> sqlValue(const QSqlDatabase& db, const QString& statement,
                                 const QVariantList& values) {
    QSqlQuery query = sqlRun(db, statement, values);
    if (!query.next())
        return std::nullopt;
    return query.value(0);
}

} // namespace ordalis::service
