// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Sql.h"

#include <QHash>
#include <QMutex>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <memory>
#include <unordered_map>

#ifdef ORDALIS_SQLITE_DIRECT
#include <sqlite3.h>
#endif

namespace ordalis::service {

namespace {

// Node-based, so that a statement stays where it is while others are added.
using Statements = std::unordered_map<QString, QSqlQuery>;

// The prepared statements of each connection, by its name. A connection is used by one thread
// at a time, so only the table itself needs the lock.
QMutex registryMutex;
QHash<QString, std::shared_ptr<Statements>> registry;

std::shared_ptr<Statements> statementsOf(const QSqlDatabase& db) {
    QMutexLocker lock(&registryMutex);
    std::shared_ptr<Statements>& statements = registry[db.connectionName()];
    if (!statements)
        statements = std::make_shared<Statements>();
    return statements;
}

// The driver's explanation without the lines that may quote values (PostgreSQL's DETAIL).
[[noreturn]] void fail(const QString& statement, const QSqlError& error) {
    const QString reason = error.text().section(u'\n', 0, 0).trimmed();
    throw DatabaseError((statement.simplified() + QStringLiteral(": ") + reason).toStdString());
}

// The statement prepared on the connection, prepared now if it was not.
QSqlQuery& prepared(Statements& statements, const QSqlDatabase& db, const QString& statement) {
    auto found = statements.find(statement);
    if (found == statements.end()) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.prepare(statement))
            fail(statement, query.lastError());
        found = statements.emplace(statement, std::move(query)).first;
    }
    return found->second;
}

void execute(QSqlQuery& query, const QString& statement, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        query.finish();
        fail(statement, error);
    }
}

} // namespace

RepeatedStatement::RepeatedStatement(const QSqlDatabase& db, const QString& statement)
    : m_statement(statement) {
    const std::shared_ptr<Statements> statements = statementsOf(db);
    m_query = &prepared(*statements, db, statement);
    m_statements = statements;
}

void RepeatedStatement::run(const QVariantList& values) {
    execute(*m_query, m_statement, values);
    m_query->finish();
}

sqlite3_stmt* RepeatedStatement::native() const {
    const QVariant handle = m_query->result()->handle();
    return qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0
               ? *static_cast<sqlite3_stmt* const*>(handle.constData())
               : nullptr;
}

bool runsNatively([[maybe_unused]] const QSqlDatabase& db) {
#ifdef ORDALIS_SQLITE_DIRECT
    const QVariant handle = db.driver()->handle();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0;
#else
    return false;
#endif
}

int SqlRows::column(QStringView name) const {
    const int found = m_record.indexOf(name.toString());
    if (found < 0)
        throw DatabaseError(QStringLiteral("no column %1 in the result").arg(name).toStdString());
    return found;
}

SqlRows sqlRun(const QSqlDatabase& db, const QString& statement, const QVariantList& values) {
    const std::shared_ptr<Statements> statements = statementsOf(db);
    QSqlQuery& query = prepared(*statements, db, statement);
    execute(query, statement, values);
    SqlRows rows;
    if (query.isSelect()) {
        rows.m_record = query.record();
        const int columns = rows.m_record.count();
        while (query.next()) {
            QVariantList row;
            row.reserve(columns);
            for (int column = 0; column < columns; ++column)
                row.append(query.value(column));
            rows.m_rows.append(std::move(row));
        }
        // A result read to its end may still hold its error (a connection lost mid-way).
        if (query.lastError().isValid()) {
            const QSqlError error = query.lastError();
            query.finish();
            fail(statement, error);
        }
    } else {
        rows.m_affected = query.numRowsAffected();
    }
    query.finish();
    return rows;
}

void sqlExec(const QSqlDatabase& db, const QString& statement) {
    QSqlQuery query(db);
    if (!query.exec(statement))
        fail(statement, query.lastError());
}

std::optional<QVariant> sqlValue(const QSqlDatabase& db, const QString& statement,
                                 const QVariantList& values) {
    SqlRows rows = sqlRun(db, statement, values);
    if (!rows.next())
        return std::nullopt;
    return rows.value(0);
}

qint64 stepOnce([[maybe_unused]] sqlite3_stmt* native, [[maybe_unused]] const QString& statement) {
#ifdef ORDALIS_SQLITE_DIRECT
    const int result = sqlite3_step(native);
    const qint64 value = result == SQLITE_ROW ? sqlite3_column_int64(native, 0) : -1;
    const std::string reason = result == SQLITE_ROW || result == SQLITE_DONE
                                   ? std::string()
                                   : sqlite3_errmsg(sqlite3_db_handle(native));
    sqlite3_reset(native); // ends a read it began
    if (!reason.empty())
        throw DatabaseError(statement.toStdString() + ": " + reason);
    return value;
#else
    throw DatabaseError(statement.toStdString() + ": SQLite's own library is not linked");
#endif
}

namespace {

// The integer stepOnce() gives, or nothing where the connection does not run natively.
std::optional<qint64> stepNatively(const QSqlDatabase& db, const QString& statement) {
    if (!runsNatively(db))
        return std::nullopt;
    const RepeatedStatement cached(db, statement);
    return stepOnce(cached.native(), statement);
}

} // namespace

void sqlControl(const QSqlDatabase& db, const QString& statement) {
    if (!stepNatively(db, statement))
        sqlExec(db, statement);
}

qint64 sqlInteger(const QSqlDatabase& db, const QString& statement) {
    if (const auto value = stepNatively(db, statement))
        return *value;
    return sqlValue(db, statement).value_or(-1).toLongLong();
}

void forgetStatements(const QString& connectionName) {
    std::shared_ptr<Statements> statements;
    QMutexLocker lock(&registryMutex);
    statements = registry.take(connectionName);
    lock.unlock(); // the statements are finalised outside the lock
}

} // namespace ordalis::service
