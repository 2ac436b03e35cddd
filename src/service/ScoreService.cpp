// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScoreService.h"

#include "DemoAccount.h"
#include "http/HttpServer.h"
#include "protocol/Authentication.h"
#include "protocol/Change.h"
#include "protocol/DeletedItems.h"
#include "protocol/Protocol.h"
#include "storage/Clock.h"
#include "storage/Migrations.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace ordalis {

using namespace service;

struct ScoreService::Running {
    explicit Running(const QString& database, const ServiceOptions& options)
        : mailSpool(options.mailSpool)
        , database(database)
        , protocol(this->database, options)
        , http(
              [this](const Request& request) {
                  waitForDemo();
                  return protocol.handle(request);
              },
              [this](const Request& request) { return protocol.screen(request); }) {
        http.setTrustedProxies(options.trustedProxies);
        ServiceMetrics& metrics = protocol.context().metrics;
        http.setObserver({[&metrics](const QByteArray& path, int status, double seconds) {
                              metrics.requestAnswered(path, status, seconds);
                          },
                          [&metrics] { metrics.throttled(ServiceMetrics::Limit::Connections); }});
        metrics.setOpenConnections([this] { return http.openConnections(); });
    }
    ~Running() {
        if (demo.joinable())
            demo.join(); // a demo account made half would never be completed
        http.stop();     // no request may run while the connections go
        database.closeAll();
    }
    // Requests wait while the demo account is being made, so that the first login finds it.
    void waitForDemo() {
        if (demoReady.load(std::memory_order_acquire))
            return;
        std::unique_lock lock(demoMutex);
        demoDone.wait_for(lock, std::chrono::seconds(30), [this] { return demoReady.load(); });
    }
    void prepareDemo() {
        {
            std::lock_guard lock(demoMutex);
            demoReady = false;
        }
        demo = std::thread([this] {
            if (!service::createDemoAccount(protocol))
                qWarning("ordalis-service: the demo account could not be created");
            {
                std::lock_guard lock(demoMutex);
                demoReady = true;
            }
            demoDone.notify_all();
        });
    }
    // The teacher whose credential of this kind matches, checked as for a request of this
    // machine.
    Expected<qint64> teacher(CredentialCache::Kind kind, const QString& account,
                             const QString& secret) {
        Request request;
        request.peer = QStringLiteral("127.0.0.1");
        Call call{protocol.context(), request, {}, database.connection(), {}};
        return authenticate(call, kind, account, secret);
    }
    QString mailSpool;
    Database database;
    Protocol protocol;
    HttpServer http;
    std::thread demo;
    std::mutex demoMutex;
    std::condition_variable demoDone;
    std::atomic<bool> demoReady = true;
};

ScoreService::ScoreService() = default;

ScoreService::~ScoreService() {
    stop();
}

QString ScoreService::mailSpool() const {
    return m_running ? m_running->mailSpool : QString();
}

void ScoreService::setMail(const MailSettings& mail) {
    m_mail = mail;
}

Expected<> ScoreService::setTrustedProxies(const QStringList& networks) {
    TrustedProxies proxies;
    for (const QString& network : networks)
        if (const Expected<> added = proxies.add(network); !added)
            return added;
    m_trustedProxies = std::move(proxies);
    return {};
}

Expected<> ScoreService::start(const QString& database, const QString& listen) {
    stop();
    ServiceOptions options;
    options.mailSpool = m_mail.spool;
    options.mailCommand = m_mail.command;
    options.mailSender = m_mail.sender;
    options.trustedProxies = m_trustedProxies;
    if (options.mailSpool.isEmpty())
        options.mailSpool =
            Database::isSqliteLocation(database)
                ? QDir::cleanPath(QDir::current().absoluteFilePath(database)) +
                      QStringLiteral(".mail")
                : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                      QStringLiteral("/mail");
    auto running = std::make_unique<Running>(database, options);
    if (Expected<> opened = running->database.open(); !opened)
        return opened;
    if (Expected<> listening = running->http.start(listen); !listening)
        return listening;
    m_running = std::move(running);
    return {};
}

quint16 ScoreService::port() const {
    return m_running ? m_running->http.port() : 0;
}

QString ScoreService::baseUrl() const {
    return m_running ? QStringLiteral("http://%1:%2")
                           .arg(m_running->http.host())
                           .arg(m_running->http.port())
                     : QString();
}

void ScoreService::stop() {
    m_running.reset();
}

Expected<QList<DeletedItem>> ScoreService::deletedItems(const QString& account, const QString& mp) {
    if (!m_running)
        return refusal(QStringLiteral("服务未运行"));
    try {
        const Expected<qint64> teacher = m_running->teacher(CredentialCache::Kind::Mp, account, mp);
        if (!teacher)
            return teacher.refusal();
        return service::deletedItemsOf(m_running->database.connection(), *teacher,
                                       m_running->protocol.context().clock.now());
    } catch (const std::runtime_error& error) { // the database, or no hashing slot free
        qWarning("ordalis: the deleted items could not be read: %s", error.what());
        return refusal(QStringLiteral("暂时无法读取，请稍后再试"));
    }
}

Expected<> ScoreService::restoreDeletedItems(const QString& account,
                                             const QString& operationPassword,
                                             const QList<qint64>& ids) {
    if (!m_running)
        return refusal(QStringLiteral("服务未运行"));
    try {
        const Expected<qint64> teacher =
            m_running->teacher(CredentialCache::Kind::Operation, account, operationPassword);
        if (!teacher)
            return teacher.refusal();
        // The path of every change: one transaction with the others, the revision counted up.
        const GroupCommit::Result result = m_running->protocol.context().commits.run(
            m_running->database.connection(), [&](const QSqlDatabase& db) -> Expected<> {
                service::restoreDeletedItems(db, *teacher, ids,
                                             m_running->protocol.context().clock.now());
                bumpRevision(db, *teacher);
                return {};
            });
        if (result.outcome == GroupCommit::Outcome::Committed)
            return {};
        qWarning("ordalis: the deleted items could not be restored: %s", result.failure.c_str());
    } catch (const std::runtime_error& error) {
        qWarning("ordalis: the deleted items could not be restored: %s", error.what());
    }
    return refusal(QStringLiteral("暂时无法恢复，请稍后再试"));
}

Expected<QString> ScoreService::restoreDeleted(const QString& location, const QString& account,
                                               const QDateTime& since) {
    Database database(location);
    if (Expected<> opened = database.open(); !opened)
        return opened.refusal();
    try {
        const QSqlDatabase db = database.connection();
        Transaction transaction(database, db);
        const auto teacher =
            sqlValue(db, QStringLiteral("SELECT id FROM teachers WHERE account = ?"), {account});
        if (!teacher)
            return refusal(QStringLiteral("no account %1").arg(account));
        const QString restored =
            service::restoreDeleted(db, teacher->toLongLong(),
                                    since.isValid() ? since.toSecsSinceEpoch() : 0, Clock().now());
        bumpRevision(db, teacher->toLongLong());
        transaction.commit();
        return restored;
    } catch (const DatabaseError& error) {
        return refusal(QString::fromStdString(error.what()));
    }
}

Expected<QString> ScoreService::backup(const QString& location, const QString& file) {
    if (!Database::isSqliteLocation(location))
        return refusal(QStringLiteral("--backup copies a SQLite database; back up "
                                      "PostgreSQL with pg_dump"));
    if (QFileInfo::exists(file))
        return refusal(QStringLiteral("%1 exists already").arg(file));
    if (!QFileInfo::exists(location))
        return refusal(QStringLiteral("there is no database %1").arg(location));
    // Opened without migrating: a copy taken before an upgrade keeps the schema it had.
    Database database(location);
    const QSqlDatabase db = database.connection();
    if (!db.isOpen())
        return refusal(QStringLiteral("cannot open the database %1").arg(location));
    try {
        // One read transaction of SQLite: writers of running services carry on meanwhile.
        sqlRun(db, QStringLiteral("VACUUM INTO ?"), {file});
    } catch (const DatabaseError& error) {
        return refusal(QString::fromStdString(error.what()));
    }
    return QStringLiteral("copied %1 to %2").arg(location, file);
}

bool ScoreService::holdsOlderSchema(const QString& location) {
    if (!Database::isSqliteLocation(location) || !QFileInfo::exists(location))
        return false;
    Database database(location);
    try {
        return service::holdsOlderSchema(database.connection());
    } catch (const DatabaseError&) {
        return false; // start() reports what is wrong with it
    }
}

std::optional<ScoreService::Contents> ScoreService::contents(const QString& file) {
    if (!QFileInfo(file).isFile())
        return std::nullopt;
    static QAtomicInt nextReader;
    const QString name =
        QStringLiteral("ordalis-contents-%1").arg(nextReader.fetchAndAddRelaxed(1));
    std::optional<Contents> found;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        try {
            if (db.open())
                found =
                    Contents{int(sqlInteger(db, QStringLiteral("SELECT COUNT(*) FROM classes"))),
                             int(sqlInteger(db, QStringLiteral("SELECT COUNT(*) FROM students"))),
                             int(sqlInteger(db, QStringLiteral("SELECT COUNT(*) FROM scores")))};
        } catch (const DatabaseError&) {
            // not a database of the service, or a damaged one
        }
        forgetStatements(name);
    }
    QSqlDatabase::removeDatabase(name);
    return found;
}

bool ScoreService::isLoopback(const QString& listen) {
    return HttpServer::isLoopback(listen);
}

bool ScoreService::createDemoAccount() {
    return m_running && service::createDemoAccount(m_running->protocol);
}

void ScoreService::prepareDemoAccount() {
    if (m_running && !m_running->demo.joinable())
        m_running->prepareDemo();
}

} // namespace ordalis
