// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Transaction.h"

#include "storage/Sql.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ordalis::service {

namespace {

thread_local quint64 changeCommits = 0;

} // namespace

quint64 Transaction::changeCommitsSent() {
    return changeCommits;
}

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
    try {
        // SQLite keeps the setting per connection and refuses to change it within a
        // transaction: off for this one, before it begins, and back on once it ends.
        if (mode == Bookkeeping && database.isSqlite()) {
            m_relaxed = true;
            sqlControl(m_db, QStringLiteral("PRAGMA synchronous=OFF"));
        }
        sqlControl(m_db, begin);
    } catch (const DatabaseError&) {
        end(true);
        throw;
    }
    m_open = true;
    if (mode == Bookkeeping && !database.isSqlite())
        sqlExec(m_db, QStringLiteral("SET LOCAL synchronous_commit = off"));
}

Transaction::~Transaction() {
    if (m_open)
        end(true);
}

void Transaction::end(bool rollBack) {
    if (rollBack)
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    m_open = false;
    if (m_relaxed)
        QSqlQuery(m_db).exec(QStringLiteral("PRAGMA synchronous=FULL"));
    if (m_writer.owns_lock())
        m_writer.unlock();
}

void Transaction::commit() {
    if (!m_open)
        throw DatabaseError("COMMIT: no transaction is open");
    if (m_mode != Read)
        ++changeCommits;
    try {
        sqlControl(m_db, QStringLiteral("COMMIT"));
    } catch (const DatabaseError&) {
        // A failed COMMIT ends the transaction on PostgreSQL; SQLite keeps it open (a deferred
        // foreign key) until it is rolled back.
        end(m_database.isSqlite());
        throw;
    }
    end(false);
    if (m_mode != Read)
        m_database.noteCommit();
}

} // namespace ordalis::service
