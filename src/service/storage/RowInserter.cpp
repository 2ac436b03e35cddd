// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/RowInserter.h"

#include <QSqlDriver>

#ifdef ORDALIS_SQLITE_DIRECT
#include <sqlite3.h>
#endif

namespace ordalis::service {

namespace {

// Bounds the size of one statement of arrays.
constexpr qsizetype MaxRowsPerArrayStatement = 1000;
// Rows per SQLite statement: past some dozens, a longer statement saves nothing more.
constexpr qsizetype RowsPerSqliteStatement = 50;

const char* arrayType(const RowInserter::Value& value) {
    if (std::holds_alternative<qint64>(value))
        return "bigint";
    return std::holds_alternative<double>(value) ? "double precision" : "text";
}

// An element of a PostgreSQL array literal; a text quoted, its backslashes and quotes escaped.
QString arrayElement(const RowInserter::Value& value) {
    if (const auto* number = std::get_if<qint64>(&value))
        return QString::number(*number);
    if (const auto* real = std::get_if<double>(&value))
        return QString::number(*real, 'g', 17); // seventeen digits read back as the same double
    QString quoted = std::get<QString>(value);
    quoted.replace(u'\\', QLatin1String("\\\\")).replace(u'"', QLatin1String("\\\""));
    return u'"' + quoted + u'"';
}

} // namespace

RowInserter::RowInserter(const QSqlDatabase& db, const QString& insert)
    : m_db(db)
    , m_insert(insert)
    , m_arrays(db.driverName() != QLatin1String("QSQLITE")) {
    if (m_arrays)
        m_rowsPerStatement = MaxRowsPerArrayStatement;
#ifdef ORDALIS_SQLITE_DIRECT
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        m_connection = *static_cast<sqlite3* const*>(handle.constData());
        m_rowsPerStatement = RowsPerSqliteStatement;
    }
#endif
}

RowInserter::~RowInserter() {
#ifdef ORDALIS_SQLITE_DIRECT
    sqlite3_finalize(m_full);
#endif
}

void RowInserter::flush() {
    if (m_keptRows == 0)
        return;
    if (m_connection)
        writeNative();
    else if (m_arrays)
        writeArrays();
    else
        writeSingly();
    m_kept.clear();
    m_keptRows = 0;
}

void RowInserter::writeNative() {
#ifdef ORDALIS_SQLITE_DIRECT
    // INSERT INTO t (a, b) VALUES (?, ?), (?, ?), ...: the rows in the order they were added.
    auto prepare = [this](qsizetype rows) {
        const qsizetype values = m_insert.lastIndexOf(QLatin1String("VALUES ")) + 7;
        const QStringList groups(rows, m_insert.mid(values));
        const QByteArray statement =
            (m_insert.left(values) + groups.join(QStringLiteral(", "))).toUtf8();
        sqlite3_stmt* prepared = nullptr;
        if (sqlite3_prepare_v2(m_connection, statement.constData(), int(statement.size()),
                               &prepared, nullptr) != SQLITE_OK) {
            sqlite3_finalize(prepared);
            throw DatabaseError(m_insert.toStdString() + ": " + sqlite3_errmsg(m_connection));
        }
        return prepared;
    };
    const bool full = m_keptRows == m_rowsPerStatement;
    if (full && !m_full)
        m_full = prepare(m_keptRows);
    sqlite3_stmt* statement = full ? m_full : prepare(m_keptRows);
    int position = 0;
    for (const Value& value : m_kept) {
        ++position;
        if (const auto* number = std::get_if<qint64>(&value))
            sqlite3_bind_int64(statement, position, *number);
        else if (const auto* real = std::get_if<double>(&value))
            sqlite3_bind_double(statement, position, *real);
        else // the kept text stays where it is until the statement has run
            sqlite3_bind_text16(statement, position, std::get<QString>(value).utf16(),
                                int(std::get<QString>(value).size() * 2), SQLITE_STATIC);
    }
    const int result = sqlite3_step(statement);
    const std::string reason = result == SQLITE_DONE ? std::string() : sqlite3_errmsg(m_connection);
    if (full)
        sqlite3_reset(statement);
    else
        sqlite3_finalize(statement);
    if (!reason.empty())
        throw DatabaseError(m_insert.toStdString() + ": " + reason);
#endif
}

void RowInserter::writeArrays() {
    // INSERT INTO t (a, b) SELECT c0, c1 FROM unnest(?::bigint[], ?::text[]) WITH ORDINALITY
    // AS kept(c0, c1, n) ORDER BY n: the rows in the order they were added.
    QStringList names, arrays;
    QVariantList values;
    for (int column = 0; column < m_columns; ++column) {
        QStringList elements;
        for (std::size_t i = column; i < m_kept.size(); i += m_columns)
            elements.append(arrayElement(m_kept[i]));
        names.append(QStringLiteral("c%1").arg(column));
        arrays.append(QStringLiteral("?::%1[]").arg(QLatin1String(arrayType(m_kept[column]))));
        values.append(u'{' + elements.join(u',') + u'}');
    }
    sqlRun(m_db,
           m_insert.left(m_insert.lastIndexOf(QLatin1String("VALUES "))) +
               QStringLiteral("SELECT %1 FROM unnest(%2) WITH ORDINALITY AS kept(%1, n) ORDER BY n")
                   .arg(names.join(QStringLiteral(", ")), arrays.join(QStringLiteral(", "))),
           values);
}

void RowInserter::writeSingly() {
    if (!m_single)
        m_single = std::make_unique<RepeatedStatement>(m_db, m_insert);
    QVariantList row;
    for (const Value& value : m_kept)
        row.append(std::visit([](const auto& v) { return QVariant::fromValue(v); }, value));
    m_single->run(row);
}

} // namespace ordalis::service
