// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Many rows into one table, inside the transaction that is open on the connection (the lines
// of an upload). Qt's binding of a value costs more than the database's insert of it, so:
// SQLite takes each row through a statement of its own library, prepared once for all rows;
// PostgreSQL takes all rows in one statement, a column as one array each (unnest), instead of
// a value per placeholder. SQLite through Qt alone (a Qt with its own SQLite) takes a row per
// statement: Qt's driver looks each placeholder of a long statement up by name, which grows
// with the square of their number.

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
    // The rows kept for PostgreSQL, a column at a time: its type and its array literal.
    struct ColumnArray {
        const char* type;
        QString elements; // "{1,2,3"
    };

    void bind(int column, qint64 value);
    void bind(int column, double value);
    void bind(int column, const QString& value);
    void keep(int column, const char* type, const QString& element);
    void endRow();

    QSqlDatabase m_db;
    QString m_insert;
    sqlite3_stmt* m_native = nullptr; // SQLite, prepared for this inserter's rows
    bool m_arrays = false;            // PostgreSQL
    QList<ColumnArray> m_columns;
    qsizetype m_keptRows = 0;
    std::unique_ptr<RepeatedStatement> m_single; // SQLite through Qt
    QVariantList m_row;
};

} // namespace ordalis::service
