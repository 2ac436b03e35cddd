// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Many rows into one table, inside the transaction that is open on the connection (the lines
// of an upload). SQLite takes each row through a statement of its own library, prepared once
// for all rows: Qt's binding of a row costs more than SQLite's insert of it. A database server
// takes a hundred rows per statement, one round trip for each.

#include "storage/Sql.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <memory>

struct sqlite3_stmt;

namespace ordalis::service {

class RowInserter {
public:
    // `insert` is a fixed single-row statement, "INSERT INTO t (a, b) VALUES (?, ?)".
    RowInserter(const QSqlDatabase& db, const QString& insert);
    ~RowInserter();
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;

    // One row, a value per column in order; stored now, or by flush() at the latest.
    template <typename... Values> void add(const Values&... values) {
        static_assert(sizeof...(Values) > 0);
        int column = 0;
        (bind(column++, values), ...);
        endRow();
    }
    // Stores the rows still kept back; throws DatabaseError when any row failed.
    void flush();

private:
    void bind(int column, qint64 value);
    void bind(int column, double value);
    void bind(int column, const QString& value);
    void endRow();
    QString statementFor(qsizetype rows) const;

    QSqlDatabase m_db;
    QString m_insert;
    QString m_valuesOfRow; // "(?, ?)"
    qsizetype m_columns;
    sqlite3_stmt* m_native = nullptr; // SQLite, prepared for this inserter's rows
    QVariantList m_kept;              // the server's rows not yet sent
    std::unique_ptr<RepeatedStatement> m_full;
};

} // namespace ordalis::service
