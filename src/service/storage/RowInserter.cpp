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

// An element of a PostgreSQL array literal: quoted, with its backslashes and quotes escaped.
QString quotedElement(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\\', QLatin1String("\\\\")).replace(u'"', QLatin1String("\\\""));
    return u'"' + quoted + u'"';
}

} // namespace

RowInserter::RowInserter(const QSqlDatabase& db, const QString& insert)
    : m_db(db)
    , m_insert(insert)
    , m_arrays(db.driverName() != QLatin1String("QSQLITE")) {
#ifdef ORDALIS_SQLITE_DIRECT
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
        const QByteArray statement = insert.toUtf8();
        if (sqlite3_prepare_v2(connection, statement.constData(), int(statement.size()), &m_native,
                               nullptr) != SQLITE_OK) {
            const std::string reason = sqlite3_errmsg(connection);
            sqlite3_finalize(m_native);
            m_native = nullptr;
            throw DatabaseError(statement.toStdString() + ": " + reason);
        }
    }
#endif
}

RowInserter::~RowInserter() {
#ifdef ORDALIS_SQLITE_DIRECT
    sqlite3_finalize(m_native);
#endif
}

void RowInserter::bind([[maybe_unused]] int column, qint64 value) {
#ifdef ORDALIS_SQLITE_DIRECT
    if (m_native) {
        sqlite3_bind_int64(m_native, column + 1, value);
        return;
    }
#endif
    if (m_arrays)
        keep(column, "bigint", QString::number(value));
    else
        m_row.append(value);
}

void RowInserter::bind([[maybe_unused]] int column, double value) {
#ifdef ORDALIS_SQLITE_DIRECT
    if (m_native) {
        sqlite3_bind_double(m_native, column + 1, value);
        return;
    }
#endif
    // Seventeen digits read back as the same double.
    if (m_arrays)
        keep(column, "double precision", QString::number(value, 'g', 17));
    else
        m_row.append(value);
}

void RowInserter::bind([[maybe_unused]] int column, const QString& value) {
#ifdef ORDALIS_SQLITE_DIRECT
    // The text stays where it is until the row is stepped, within add().
    if (m_native) {
        sqlite3_bind_text16(m_native, column + 1, value.utf16(), int(value.size() * 2),
                            SQLITE_STATIC);
        return;
    }
#endif
    if (m_arrays)
        keep(column, "text", quotedElement(value));
    else
        m_row.append(value);
}

void RowInserter::keep(int column, const char* type, const QString& element) {
    if (column == m_columns.size()) {
        m_columns.append({type, QStringLiteral("{") + element});
        return;
    }
    QString& elements = m_columns[column].elements;
    elements += u',';
    elements += element;
}

void RowInserter::endRow() {
#ifdef ORDALIS_SQLITE_DIRECT
    if (m_native) {
        const int result = sqlite3_step(m_native);
        const std::string reason =
            result == SQLITE_DONE ? std::string() : sqlite3_errmsg(sqlite3_db_handle(m_native));
        sqlite3_reset(m_native);
        if (!reason.empty())
            throw DatabaseError(m_insert.toStdString() + ": " + reason);
        return;
    }
#endif
    if (m_arrays) {
        if (++m_keptRows == MaxRowsPerArrayStatement)
            flush();
        return;
    }
    if (!m_single)
        m_single = std::make_unique<RepeatedStatement>(m_db, m_insert);
    m_single->run(m_row);
    m_row.clear();
}

void RowInserter::flush() {
    if (m_keptRows == 0)
        return;
    // INSERT INTO t (a, b) SELECT c0, c1 FROM unnest(?::bigint[], ?::text[]) WITH ORDINALITY
    // AS kept(c0, c1, n) ORDER BY n: the rows in the order they were added.
    QStringList names, arrays;
    QVariantList values;
    for (int i = 0; i < m_columns.size(); ++i) {
        names.append(QStringLiteral("c%1").arg(i));
        arrays.append(QStringLiteral("?::%1[]").arg(QLatin1String(m_columns[i].type)));
        values.append(m_columns[i].elements + u'}');
    }
    const QString statement =
        m_insert.left(m_insert.lastIndexOf(QLatin1String("VALUES "))) +
        QStringLiteral("SELECT %1 FROM unnest(%2) WITH ORDINALITY AS kept(%1, n) ORDER BY n")
            .arg(names.join(QStringLiteral(", ")), arrays.join(QStringLiteral(", ")));
    m_columns.clear();
    m_keptRows = 0;
    sqlRun(m_db, statement, values);
}

} // namespace ordalis::service
