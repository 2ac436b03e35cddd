// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Parameterised statements that throw on failure, so that a handler's transaction unwinds and
// rolls back instead of carrying on with half a change. Each connection keeps its statements
// prepared for reuse, and every result is read whole and closed before the statement returns:
// no result is ever left open on a connection while the next statement runs there.

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>
#include <optional>
#include <stdexcept>

struct sqlite3_stmt;

namespace ordalis::service {

// A failed statement: the statement's text and the driver's first line of explanation, never
// the values bound to it.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rows a statement returned, read in full.
class SqlRows {
public:
    bool next() { return ++m_at < m_rows.size(); }
    QVariant value(int column) const { return m_rows[m_at].value(column); }
    QVariant value(QStringView name) const { return value(column(name)); }
    // The position of the column of that name (a column's alias, or its own name); a name the
    // statement has not is a DatabaseError. For a loop over many rows, taken once before it.
    int column(QStringView name) const;
    int numRowsAffected() const { return m_affected; }

private:
    friend SqlRows sqlRun(const QSqlDatabase&, const QString&, const QVariantList&);
    QList<QVariantList> m_rows;
    qsizetype m_at = -1;
    QSqlRecord m_record; // the columns' names, taken with the rows at no extra cost
    int m_affected = 0;
};

// Runs the statement, prepared once per connection, with the values bound to its "?" in order.
SqlRows sqlRun(const QSqlDatabase& db, const QString& statement, const QVariantList& values = {});
// Runs SQLite's own statement (RepeatedStatement::native) once and resets it: the integer in
// the first column of its row, or -1 without a row. Throws DatabaseError naming `statement`
// when it fails.
qint64 stepOnce(sqlite3_stmt* native, const QString& statement);
// Whether the connection is one of the system's SQLite, whose statements can run through
// SQLite's own library (built with ORDALIS_SQLITE_DIRECT).
bool runsNatively(const QSqlDatabase& db);
// One statement that takes no rows back, run many times in a row (the lines of an upload):
// found among the connection's statements once.
class RepeatedStatement {
public:
    RepeatedStatement(const QSqlDatabase& db, const QString& statement);
    RepeatedStatement(const RepeatedStatement&) = delete;
    RepeatedStatement& operator=(const RepeatedStatement&) = delete;
    void run(const QVariantList& values);
    // SQLite's own statement, to be bound and run through its library instead of Qt, on a
    // connection that runsNatively(); it stays prepared as long as this object.
    sqlite3_stmt* native() const;

private:
    std::shared_ptr<void> m_statements; // keeps the connection's statements while in use
    QSqlQuery* m_query;
    QString m_statement;
};
// A statement of the transaction itself (BEGIN, COMMIT, SAVEPOINT), run at every change: on
// SQLite prepared once and run through its own library, elsewhere as sqlExec.
void sqlControl(const QSqlDatabase& db, const QString& statement);
// The integer in the first column of the first row of a statement that takes no values, or -1
// without a row; for a statement run on every request (PRAGMA data_version): on SQLite through
// its own library, without the cost of a Qt query.
qint64 sqlInteger(const QSqlDatabase& db, const QString& statement);
// Runs a statement that takes no values and cannot be prepared (schema changes, savepoints).
void sqlExec(const QSqlDatabase& db, const QString& statement);
// The first column of the first row, if there is a row.
std::optional<QVariant> sqlValue(const QSqlDatabase& db, const QString& statement,
                                 const QVariantList& values = {});
// Forgets the statements prepared on the named connection; before it closes.
void forgetStatements(const QString& connectionName);

} // namespace ordalis::service
