// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/RowInserter.h"

#include <QSqlDriver>

#ifdef ORDALIS_SQLITE_DIRECT
#include <sqlite3.h>
#endif

namespace ordalis::service {

namespace {

constexpr qsizetype ServerRowsPerStatement = 100;

} // namespace

RowInserter::RowInserter(const QSqlDatabase& db, const QString& insert)
    : m_db(db)
    , m_insert(insert)
    , m_valuesOfRow(insert.mid(insert.lastIndexOf(QLatin1String("VALUES ")) + 7))
    , m_columns(m_valuesOfRow.count(u'?')) {
#ifdef ORDALIS_SQLITE_DIRECT
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
        const QByteArray statement = m_insert.toUtf8();
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

// The statement with the values of `rows` rows.
QString RowInserter::statementFor(qsizetype rows) const {
    return m_insert + QString(QStringLiteral(", ") + m_valuesOfRow).repeated(rows - 1);
}

void RowInserter::bind([[maybe_unused]] int column, qint64 value) {
#ifdef ORDALIS_SQLITE_DIRECT
    if (m_native) {
        sqlite3_bind_int64(m_native, column + 1, value);
        return;
    }
#endif
    m_kept.append(value);
}

void RowInserter::bind([[maybe_unused]] int column, double value) {
#ifdef ORDALIS_SQLITE_DIRECT
    if (m_native) {
        sqlite3_bind_double(m_native, column + 1, value);
        return;
    }
#endif
    m_kept.append(value);
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
    m_kept.append(value);
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
    // SQLite through Qt: a row per statement, as Qt's driver looks each placeholder of a long
    // statement up by name, which grows with the square of their number.
    const qsizetype perStatement =
        m_db.driverName() == QLatin1String("QSQLITE") ? 1 : ServerRowsPerStatement;
    if (m_kept.size() < perStatement * m_columns)
        return;
    if (!m_full)
        m_full = std::make_unique<RepeatedStatement>(m_db, statementFor(perStatement));
    m_full->run(m_kept);
    m_kept.clear();
}

void RowInserter::flush() {
    if (m_kept.isEmpty())
        return;
    sqlRun(m_db, statementFor(m_kept.size() / m_columns), m_kept);
    m_kept.clear();
}

} // namespace ordalis::service
