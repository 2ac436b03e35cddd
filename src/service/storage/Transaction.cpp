// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Transaction.h"

#include "storage/Sql.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ordalis::service {

Transaction::Transaction(const Database& database, QSqlDatabase db, Mode mode)
    : m_database(database)
    , m_db(std::move(db))
    , m_mode(mode) {
    const bool sqliteWriter = database.isSqlite() && mode != Read;
    if (sqliteWriter)
        m_writer = std::unique_lock<std::mutex>(database.m_writers);
    QString begin = QStringLiteral("BEGIN");
    if (sqliteWriter)
        begin = QStringLiteral("BEGIN IMMEDIATE");
    else if (!database.isSqlite() && mode == Read)
        begin = QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    sqlExec(m_db, begin);
    m_open = true;
    if (mode == Bookkeeping && !database.isSqlite())
        sqlExec(m_db, QStringLiteral("SET LOCAL synchronous_commit = off"));
}

Transaction::~Transaction() {
    if (m_open) {
        QSqlQuery query(m_db);
        query.exec(QStringLiteral("ROLLBACK"));
    }
}

void Transaction::commit() {
    if (!m_open)
        throw DatabaseError("COMMIT: no transaction is open");
    m_open = false;
    // SQLite keeps the synchronous setting per connection: off for this commit only.
    const bool relaxed = m_mode == Bookkeeping && m_database.isSqlite();
    QSqlQuery query(m_db);
    if (relaxed)
        query.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    const bool committed = query.exec(QStringLiteral("COMMIT"));
    const QString reason = committed ? QString() : query.lastError().text();
    if (!committed)
        query.exec(QStringLiteral("ROLLBACK"));
    if (relaxed)
        query.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    if (m_writer.owns_lock())
        m_writer.unlock();
    if (!committed)
        throw DatabaseError(("COMMIT: " + reason.section(u'\n', 0, 0)).toStdString());
    if (m_mode != Read)
        m_database.noteCommit();
}

} // namespace ordalis::service
