// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/RowInserter.h"

#include <QStringEncoder>
#include <charconv>

#ifdef ORDALIS_SQLITE_DIRECT
#include <sqlite3.h>
#endif

namespace ordalis::service {

namespace {

// Bounds the size of one statement of arrays.
constexpr qsizetype MaxRowsPerArrayStatement = 1000;
// Rows per SQLite statement, a power of two: past some dozens a longer statement saves nothing.
constexpr qsizetype MaxRowsPerSqliteStatement = 64;

const char* arrayType(const RowInserter::Value& value) {
    if (std::holds_alternative<qint64>(value))
        return "bigint";
    return std::holds_alternative<double>(value) ? "double precision" : "text";
}

// Appends an element of a PostgreSQL array literal: a number as the shortest digits that read
// back as the same value; a text quoted, its backslashes and quotes escaped.
void appendElement(QString& literal, const RowInserter::Value& value) {
    if (const auto* text = std::get_if<QString>(&value)) {
        literal += u'"';
        for (const QChar c : *text) {
            if (c == u'\\' || c == u'"')
                literal += u'\\';
            literal += c;
        }
        literal += u'"';
        return;
    }
    char digits[32];
    const std::to_chars_result written =
        std::holds_alternative<qint64>(value)
            ? std::to_chars(digits, digits + sizeof digits, std::get<qint64>(value))
            : std::to_chars(digits, digits + sizeof digits, std::get<double>(value));
    literal += QLatin1StringView(digits, written.ptr - digits);
}

} // namespace

RowInserter::RowInserter(const QSqlDatabase& db, const QString& insert)
    : m_db(db)
    , m_insert(insert)
    , m_arrays(db.driverName() != QLatin1String("QSQLITE")) {
    if (m_arrays)
        m_rowsPerStatement = MaxRowsPerArrayStatement;
    m_native = runsNatively(db);
    if (m_native)
        m_rowsPerStatement = MaxRowsPerSqliteStatement;
}

void RowInserter::flush() {
    if (m_keptRows == 0)
        return;
    if (m_native)
        writeNative();
    else if (m_arrays)
        writeArrays();
    else
        writeSingly();
    m_kept.clear();
    m_keptRows = 0;
}

RepeatedStatement& RowInserter::statementFor(qsizetype rows) {
    std::unique_ptr<RepeatedStatement>& statement = m_statements[rows];
    if (!statement) {
        // INSERT INTO t (a, b) VALUES (?, ?), (?, ?), ...: the rows in the order they were added.
        const qsizetype values = m_insert.lastIndexOf(QLatin1String("VALUES ")) + 7;
        const QStringList groups(rows, m_insert.mid(values));
        statement = std::make_unique<RepeatedStatement>(
            m_db, m_insert.left(values) + groups.join(QStringLiteral(", ")));
    }
    return *statement;
}

void RowInserter::writeNative() {
#ifdef ORDALIS_SQLITE_DIRECT
    // The texts as UTF-8, the database's own encoding, all in one buffer that stays put until
    // the statements have run.
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    qsizetype space = 0;
    for (const Value& value : m_kept)
        if (const auto* text = std::get_if<QString>(&value))
            space += toUtf8.requiredSpace(text->size());
    QByteArray utf8(space, Qt::Uninitialized);
    char* end = utf8.data();
    // The rows in statements of 64, 32, 16, ... rows, in order.
    std::size_t at = 0;
    for (qsizetype left = m_keptRows; left > 0;) {
        qsizetype rows = MaxRowsPerSqliteStatement;
        while (rows > left)
            rows /= 2;
        left -= rows;
        sqlite3_stmt* statement = statementFor(rows).native();
        for (int position = 1; position <= rows * m_columns; ++position, ++at) {
            const Value& value = m_kept[at];
            if (const auto* number = std::get_if<qint64>(&value))
                sqlite3_bind_int64(statement, position, *number);
            else if (const auto* real = std::get_if<double>(&value))
                sqlite3_bind_double(statement, position, *real);
            else {
                char* start = end;
                end = toUtf8.appendToBuffer(start, std::get<QString>(value));
                sqlite3_bind_text(statement, position, start, int(end - start), SQLITE_STATIC);
            }
        }
        // Nothing may point into the texts once they are gone, whether the rows went in or not.
        try {
            stepOnce(statement, m_insert);
        } catch (const DatabaseError&) {
            sqlite3_clear_bindings(statement);
            throw;
        }
        sqlite3_clear_bindings(statement);
    }
#endif
}

void RowInserter::writeArrays() {
    // INSERT INTO t (a, b) SELECT c0, c1 FROM unnest(?::bigint[], ?::text[]) WITH ORDINALITY
    // AS kept(c0, c1, n) ORDER BY n: the rows in the order they were added.
    QStringList names, arrays;
    QVariantList values;
    for (int column = 0; column < m_columns; ++column) {
        QString literal = QStringLiteral("{");
        for (std::size_t i = column; i < m_kept.size(); i += m_columns) {
            if (i >= std::size_t(m_columns))
                literal += u',';
            appendElement(literal, m_kept[i]);
        }
        literal += u'}';
        names.append(QStringLiteral("c%1").arg(column));
        arrays.append(QStringLiteral("?::%1[]").arg(QLatin1String(arrayType(m_kept[column]))));
        values.append(literal);
    }
    sqlRun(m_db,
           m_insert.left(m_insert.lastIndexOf(QLatin1String("VALUES "))) +
               QStringLiteral("SELECT %1 FROM unnest(%2) WITH ORDINALITY AS kept(%1, n) ORDER BY n")
                   .arg(names.join(QStringLiteral(", ")), arrays.join(QStringLiteral(", "))),
           values);
}

void RowInserter::writeSingly() {
    QVariantList row;
    for (const Value& value : m_kept)
        row.append(std::visit([](const auto& v) { return QVariant::fromValue(v); }, value));
    statementFor(1).run(row);
}

} // namespace ordalis::service
