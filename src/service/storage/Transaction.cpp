// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Transaction.h"

#include <QSqlQuery>

namespace ordalis::service {

Transaction::Transaction(const Database& database, QSqlDatabase db, Mode mode)
    : m_db(std::move(db)) {
    const bool sqliteWriter = database.isSqlite() && mode == Write;
    if (sqliteWriter)
        m_writer = std::unique_lock<std::mutex>(database.m_writers);
    QSqlQuery query(m_db);
    QString begin = QStringLiteral("BEGIN");
    if (sqliteWriter)
        begin = QStringLiteral("BEGIN IMMEDIATE");
    else if (!database.isSqlite() && mode == Read)
        begin = QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    m_open = query.exec(begin);
}

Transaction::~Transaction() {
    if (m_open) {
        QSqlQuery query(m_db);
        query.exec(QStringLiteral("ROLLBACK"));
    }
}

bool Transaction::commit() {
    if (!m_open)
        return false;
    QSqlQuery query(m_db);
    m_open = false;
    const bool committed = query.exec(QStringLiteral("COMMIT"));
    if (!committed)
        query.exec(QStringLiteral("ROLLBACK"));
    if (m_writer.owns_lock())
        m_writer.unlock();
    return committed;
}

} // namespace ordalis::service
