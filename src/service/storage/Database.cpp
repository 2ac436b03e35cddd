// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Database.h"

#include "storage/Migrations.h"
#include "storage/Sql.h"

#include <QAtomicInt>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace ordalis::service {

namespace {

QAtomicInt nextInstance;
QAtomicInteger<quint64> nextThread;
// A number per thread that is never given again: a new thread must not be taken for a finished
// one whose system identifier it happens to reuse, as Qt keeps a connection to its own thread.
thread_local const quint64 threadSerial = nextThread.fetchAndAddRelaxed(1) + 1;
// The SQLite data version this thread's connection of each instance saw last.
thread_local QHash<int, qint64> seenDataVersions;

} // namespace

Database::Database(QString location)
    : m_location(std::move(location))
    , m_sqlite(isSqliteLocation(m_location))
    , m_instance(nextInstance.fetchAndAddRelaxed(1))
    , m_prefix(QStringLiteral("ordalis-service-%1-").arg(m_instance)) {}

bool Database::isSqliteLocation(const QString& location) {
    return !location.startsWith(QLatin1String("postgresql://")) &&
           !location.startsWith(QLatin1String("postgres://"));
}

Database::~Database() {
    closeAll();
}

Expected<> Database::open() {
    QSqlDatabase db = connection();
    if (!db.isOpen())
        return refusal(
            QStringLiteral("cannot open the database %1: %2")
                .arg(m_sqlite ? m_location : QUrl(m_location).toDisplayString(QUrl::RemovePassword),
                     db.lastError().text()));
    return migrate(*this, db);
}

QSqlDatabase Database::connection() {
    const QString name = m_prefix + QString::number(threadSerial);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        // A connection closed after a failure (a restarted database server) opens again.
        if (!db.isOpen())
            configure(db);
        return db;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(m_sqlite ? "QSQLITE" : "QPSQL", name);
    {
        QMutexLocker lock(&m_mutex);
        m_connections.append(name);
    }
    configure(db);
    return db;
}

void Database::configure(QSqlDatabase& db) const {
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
        // A request waits no longer than this for a server that cannot be reached.
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    }
    if (!db.open())
        return; // said by the caller of connection(), which finds it closed
    QSqlQuery query(db);
    if (m_sqlite) {
        // Pragmas hold per connection; journal_mode=WAL is stored in the file.
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        // A reply "Success!" promises the change survives a power cut, not only a crash.
        query.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        query.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        // Savepoints and sorts in memory: the journal of a change's savepoint otherwise goes to
        // a temporary file, made and removed for every upload.
        query.exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
    } else {
        // "already exists, skipping" and the like are no errors of the service.
        query.exec(QStringLiteral("SET client_min_messages = warning"));
    }
}

void Database::closeAll() {
    QMutexLocker lock(&m_mutex);
    for (const QString& name : std::as_const(m_connections)) {
        forgetStatements(name);
        QSqlDatabase::removeDatabase(name);
    }
    m_connections.clear();
}

bool Database::connectionLost() {
    if (m_sqlite)
        return false;
    const QString name = m_prefix + QString::number(threadSerial);
    QSqlDatabase db = QSqlDatabase::database(name, false);
    // Any statement fails on a lost connection; this one only there.
    if (db.isOpen() && QSqlQuery(db).exec(QStringLiteral("SELECT 1")))
        return false;
    forgetStatements(name);
    db.close();
    return true;
}

quint64 Database::changeStamp(const QSqlDatabase& db) const {
    if (!m_sqlite)
        return m_stamp.fetch_add(1) + 1;
    const qint64 version = sqlInteger(db, QStringLiteral("PRAGMA data_version"));
    qint64& seen = seenDataVersions[m_instance];
    if (version != seen) {
        seen = version;
        return m_stamp.fetch_add(1) + 1;
    }
    return m_stamp.load();
}

} // namespace ordalis::service
