// SPDX-License-Identifier: GPL-3.0-or-later
// Two ordalis-service instances on one PostgreSQL database and four clients on loopback
// (uploads under batch ids, logins, reads): a few hundred requests, before and after the
// database server stops and starts again while the instances' connections lie idle. Every
// connection they held breaks with it: while the server is down, /healthz answers 503; once it
// is back, /healthz answers 200, no request fails, and every batch is stored exactly once.
// Skipped where PostgreSQL is not installed.

#include "CannotRun.h"
#include "LoopbackHttp.h"
#include "PostgresCluster.h"
#include "ServiceProcess.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QDeadlineTimer>
#include <QMutex>
#include <QScopeGuard>
#include <QThread>
#include <atomic>
#include <deque>
#include <thread>

using namespace ordalis::test;

namespace {

constexpr int Instances = 2;
constexpr int Clients = 4;
constexpr int RequestsBeforeStop = 15;   // per client: every instance's threads hold connections
constexpr int RequestsAfterRestart = 60; // per client

QString account(int client) {
    return QStringLiteral("teacher%1").arg(client);
}

QByteArray form(const QString& text) {
    return ordalis::encodeGb18030Url(text).toLatin1();
}

} // namespace

class DatabaseRestartTest : public QObject {
    Q_OBJECT

    HttpAnswer request(int instance, const QByteArray& method, const QByteArray& target,
                       const QByteArray& body = {}) const {
        return httpRequest(QHostAddress::LocalHost, m_ports[instance], method, target, body);
    }
    QByteArray change(int client, const char* path, const QString& rest) const {
        return request(1, "POST", path,
                       form(QStringLiteral("username=%1&password=op").arg(account(client)) + rest))
            .body;
    }
    // A client's request by its number: an upload of the client's next batch, a login or a
    // read, on the instances in turn. A change is done when answered "Success!", a read when
    // answered 200.
    bool send(int client, int number, std::deque<int>& batches, int& nextBatch) const {
        const int instance = (client + number) % Instances;
        const QString who = QStringLiteral("username=%1&password=").arg(account(client));
        switch (number % 3) {
        case 0: {
            const int batch = batches.empty() ? nextBatch++ : batches.front();
            if (!batches.empty())
                batches.pop_front();
            const bool stored =
                request(instance, "POST", "/index.php",
                        form(who + QStringLiteral("op&keti=函数&batch=%1&score=一班\t张三\t1\t"
                                                  "2024-03-15 08:00:00\tb%2")
                                       .arg(batch, 32, 10, QLatin1Char('0'))
                                       .arg(batch)))
                    .body == "Success!";
            if (!stored)
                batches.push_back(batch); // sent again later under its id, as the program does
            return stored;
        }
        case 1:
            return request(instance, "POST", "/checkpassword.php", form(who + "login")).body ==
                   "Success!";
        default:
            return request(instance, "GET",
                           "/record.php?t=" + account(client).toLatin1() +
                               "&mp=" + ordalis::md5Hex("login").toLatin1())
                       .status == 200;
        }
    }

    std::unique_ptr<PostgresCluster> m_cluster;
    QList<quint16> m_ports;
    std::vector<std::unique_ptr<ServiceProcess>> m_instances;

private Q_SLOTS:
    void initTestCase() {
        m_cluster = std::make_unique<PostgresCluster>();
        if (!m_cluster->isRunning())
            return;
        const QString location = m_cluster->createDatabase();
        for (int i = 0; i < Instances; ++i) {
            m_ports.append(freeLoopbackPort());
            m_instances.push_back(std::make_unique<ServiceProcess>(
                QStringList{QStringLiteral("--database"), location, QStringLiteral("--listen"),
                            QStringLiteral("127.0.0.1:%1").arg(m_ports.last())}));
            QVERIFY(m_instances.back()->start());
        }
        for (int client = 0; client < Clients; ++client) {
            QVERIFY(m_instances[0]->registerTeacher(account(client), QStringLiteral("login"),
                                                    QStringLiteral("op")));
            QCOMPARE(change(client, "/setclass.php", QStringLiteral("&class=一班")), "Success!");
            QCOMPARE(change(client, "/student.php", QStringLiteral("&class=一班&student=张三")),
                     "Success!");
        }
    }

    void cleanupTestCase() {
        m_instances.clear();
        m_cluster.reset();
    }

    void nothingFailsOnceTheDatabaseIsBack() {
        if (!m_cluster->isRunning())
            ORDALIS_SKIP_CANNOT_RUN("no PostgreSQL server");
        std::atomic<bool> back = false;
        std::atomic<int> warmed = 0;
        QMutex mutex;
        QStringList failures; // requests sent once the database was back that failed
        int batchesStored[Clients] = {};
        const QDeadlineTimer deadline(120000);
        std::vector<std::thread> clients;
        for (int client = 0; client < Clients; ++client)
            clients.emplace_back([&, client] {
                std::deque<int> unsent;
                int nextBatch = 0;
                int number = 0;
                while (number < RequestsBeforeStop)
                    send(client, number++, unsent, nextBatch);
                ++warmed;
                // The instances' connections lie idle while the server restarts, as at night.
                while (!back && !deadline.hasExpired())
                    QThread::msleep(10);
                for (const int last = number + RequestsAfterRestart;
                     (number < last || !unsent.empty()) && !deadline.hasExpired(); ++number)
                    if (!send(client, number, unsent, nextBatch)) {
                        QMutexLocker lock(&mutex);
                        failures.append(
                            QStringLiteral("client %1, request %2").arg(client).arg(number));
                    }
                batchesStored[client] = nextBatch;
            });
        const auto joinClients = [&] {
            back = true;
            for (std::thread& client : clients)
                if (client.joinable())
                    client.join();
        };
        const auto onFailure = qScopeGuard(joinClients); // the deadline bounds them

        QVERIFY(QTest::qWaitFor([&] { return warmed == Clients; }, 60000));

        m_cluster->stop();
        for (int i = 0; i < Instances; ++i) {
            const HttpAnswer health = request(i, "GET", "/healthz");
            QCOMPARE(health.status, 503);
            QCOMPARE(health.body, QByteArray("Database unavailable"));
        }
        QThread::msleep(300);
        QVERIFY(m_cluster->start());
        back = true;
        QList<int> health;
        for (int i = 0; i < Instances; ++i)
            health.append(request(i, "GET", "/healthz").status);
        joinClients();
        QVERIFY(!deadline.hasExpired());
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
        QCOMPARE(health, QList<int>(Instances, 200));

        // Each batch once, whatever was sent again.
        for (int client = 0; client < Clients; ++client) {
            const QString scores = ordalis::gb18030::decode(
                request(0, "GET",
                        "/getscore.php?class=" + form(QStringLiteral("一班")) +
                            "&t=" + account(client).toLatin1() +
                            "&mp=" + ordalis::md5Hex("login").toLatin1())
                    .body);
            QCOMPARE(scores.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(),
                     batchesStored[client]);
        }
    }
};

ORDALIS_GUILESS_TEST_MAIN(DatabaseRestartTest)
#include "tst_database_restart.moc"
