// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Many rows into one table, inside the transaction that is open on the connection (the lines
// of an upload). Qt's binding of a value costs more than the database's insert of it, and every
// statement has a cost of its own (on SQLite the read and write of the table's id counter among
// them), so rows are kept and written several to a statement:
// - on SQLite, up to 64 rows to a statement, run through SQLite's own library and bound by
//   position. The statements for 64, 32, 16, ... 1 rows stay prepared on the connection, so
//   any number of rows is written by a few statements prepared once;
// - on PostgreSQL, all rows in one statement, a column as one array each (unnest), instead of
//   a value per placeholder;
// - on SQLite through Qt alone (a Qt with its own SQLite), a row per statement: Qt's driver
//   looks each placeholder of a long statement up by name, which grows with the square of
//   their number.

#include "storage/Sql.h"

#include <QSqlDatabase>
#include <QString>
#include <map>
#include <memory>
#include <variant>
#include <vector>

namespace ordalis::service {

class RowInserter {
public:
    using Value = std::variant<qint64, double, QString>;

    // `insert` is a fixed single-row statement, "INSERT INTO t (a, b) VALUES (?, ?)".
    RowInserter(const QSqlDatabase& db, const QString& insert);
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;

    // One row, a value per column in order; stored now, or by flush() at the latest.
    template <typename... Values> void add(const Values&... values) {
        static_assert(sizeof...(Values) > 0);
        m_columns = int(sizeof...(Values));
        (m_kept.push_back(Value(values)), ...);
        if (++m_keptRows == m_rowsPerStatement)
            flush();
    }
    // Stores the rows still kept back; throws DatabaseError when any row failed.
    void flush();

private:
    void writeNative();
    void writeArrays();
    void writeSingly();
    // The statement for `rows` rows, prepared on the connection.
    RepeatedStatement& statementFor(qsizetype rows);

    QSqlDatabase m_db;
    QString m_insert;
    int m_columns = 0;
    qsizetype m_rowsPerStatement = 1;
    std::vector<Value> m_kept; // the rows not yet written, row after row
    qsizetype m_keptRows = 0;
    bool m_native = false; // SQLite through its own library
    bool m_arrays = false; // PostgreSQL
    std::map<qsizetype, std::unique_ptr<RepeatedStatement>> m_statements; // by rows
};

} // namespace ordalis::service
