// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Database.h"

#include "storage/Transaction.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>

namespace ordalis::service {

namespace {

QAtomicInt nextInstance;

QStringList schemaStatements(bool sqlite) {
    const QString id = sqlite ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                              : QStringLiteral("BIGSERIAL PRIMARY KEY");
    const QString ref = QStringLiteral("BIGINT NOT NULL REFERENCES %1(id) ON DELETE CASCADE");
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS teachers (id %1, account TEXT NOT NULL UNIQUE, "
                       "name TEXT NOT NULL, email TEXT NOT NULL, mobile TEXT NOT NULL, "
                       "tel TEXT NOT NULL, qq TEXT NOT NULL, login_hash TEXT NOT NULL, "
                       "operation_hash TEXT NOT NULL, mp_hash TEXT NOT NULL, "
                       "created_at BIGINT NOT NULL)")
            .arg(id),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS classes (id %1, teacher_id %2, name TEXT NOT NULL, "
            "position INTEGER NOT NULL, UNIQUE (teacher_id, name))")
            .arg(id, ref.arg("teachers")),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS students (id %1, class_id %2, name TEXT NOT NULL, "
            "group_no INTEGER NOT NULL DEFAULT 0, position INTEGER NOT NULL, "
            "UNIQUE (class_id, name))")
            .arg(id, ref.arg("classes")),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS topics (id %1, teacher_id %2, name TEXT NOT NULL, "
            "position INTEGER NOT NULL, UNIQUE (teacher_id, name))")
            .arg(id, ref.arg("teachers")),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS standards (id %1, topic_id %2, text TEXT NOT NULL, "
            "score DOUBLE PRECISION NOT NULL)")
            .arg(id, ref.arg("topics")),
        QStringLiteral("CREATE TABLE IF NOT EXISTS scores (id %1, student_id %2, "
                       "value DOUBLE PRECISION NOT NULL, score_text TEXT NOT NULL, "
                       "time_text TEXT NOT NULL, topic TEXT NOT NULL, remark TEXT NOT NULL, "
                       "uploaded_at BIGINT NOT NULL)")
            .arg(id, ref.arg("students")),
        QStringLiteral("CREATE INDEX IF NOT EXISTS scores_student ON scores (student_id)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS check_codes (id %1, teacher_id %2, "
                       "code TEXT NOT NULL, expires_at BIGINT NOT NULL, used INTEGER NOT NULL)")
            .arg(id, ref.arg("teachers")),
        QStringLiteral("CREATE TABLE IF NOT EXISTS failed_attempts (id %1, subject TEXT NOT NULL, "
                       "at BIGINT NOT NULL)")
            .arg(id),
        QStringLiteral("CREATE INDEX IF NOT EXISTS failed_attempts_subject "
                       "ON failed_attempts (subject, at)"),
    };
}

} // namespace

Database::Database(QString location)
    : m_location(std::move(location))
    , m_sqlite(isSqliteLocation(m_location))
    , m_prefix(QStringLiteral("ordalis-service-%1-").arg(nextInstance.fetchAndAddRelaxed(1))) {}

bool Database::isSqliteLocation(const QString& location) {
    return !location.startsWith(QLatin1String("postgresql://")) &&
           !location.startsWith(QLatin1String("postgres://"));
}

Database::~Database() {
    closeAll();
}

bool Database::open(QString* error) {
    QSqlDatabase db = connection();
    if (!db.isOpen()) {
        if (error)
            *error =
                QStringLiteral("cannot open the database %1").arg(m_sqlite ? m_location : "server");
        return false;
    }
    return createSchema(db, error);
}

QSqlDatabase Database::connection() {
    const QString name = m_prefix + QString::number(quintptr(QThread::currentThreadId()));
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        // A connection closed after a failure (a restarted database server) opens again.
        if (!db.isOpen())
            configure(db, nullptr);
        return db;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(m_sqlite ? "QSQLITE" : "QPSQL", name);
    {
        QMutexLocker lock(&m_mutex);
        m_connections.append(name);
    }
    configure(db, nullptr);
    return db;
}

bool Database::configure(QSqlDatabase& db, QString* error) const {
    if (m_sqlite) {
        db.setDatabaseName(m_location);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    } else {
        const QUrl url(m_location);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
    }
    if (!db.open()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    if (m_sqlite) {
        // Pragmas hold per connection; journal_mode=WAL is stored in the file.
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        // A reply "Success!" promises the change survives a power cut, not only a crash.
        query.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        query.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    }
    return true;
}

bool Database::createSchema(QSqlDatabase& db, QString* error) const {
    Transaction transaction(*this, db);
    QSqlQuery query(db);
    for (const QString& statement : schemaStatements(m_sqlite)) {
        if (!query.exec(statement)) {
            if (error)
                *error = query.lastError().text();
            return false;
        }
    }
    return transaction.commit();
}

void Database::closeAll() {
    QMutexLocker lock(&m_mutex);
    for (const QString& name : std::as_const(m_connections))
        QSqlDatabase::removeDatabase(name);
    m_connections.clear();
}

} // namespace ordalis::service
