// SPDX-License-Identifier: GPL-3.0-or-later
// A district set up as the README's district section says: three ordalis-service instances on
// one PostgreSQL database, with a role of their own whose password comes from a password file,
// each trusting the proxy in its settings file, behind nginx with the shipped configuration
// (TLS with a certificate of the school's own authority, made here with openssl, and plain
// HTTP beside it for the clients of this test). Eight clients on their own loopback addresses.
// A change is seen whichever instance answers next; the program logs in over TLS once it
// trusts the school's authority, and is refused, saying why, while it does not; the proxy's
// redirect from http:// is said as such; no log holds a teacher's mp; uploads go on while an
// instance is killed and restarted; one client's failed checks do not lock out another; the
// database backs up and restores with PostgreSQL's tools; the health check follows the
// database. Skipped where nginx, openssl or PostgreSQL is not installed.

#include "CannotRun.h"
#include "DrivenProgram.h"
#include "LoopbackHttp.h"
#include "PostgresCluster.h"
#include "ServiceProcess.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <csignal>
#include <sys/prctl.h>
#include <thread>

using ordalis::test::DrivenRun;
using ordalis::test::HttpAnswer;
using ordalis::test::httpRequest;
using ordalis::test::PostgresCluster;
using ordalis::test::ServiceProcess;

namespace {

constexpr int Instances = 3;
constexpr int Clients = 8;
constexpr int Batches = 8;
constexpr int LinesPerBatch = 25;
const QString AppPassword = QStringLiteral("district-secret");

QHostAddress clientAddress(int client) {
    return QHostAddress(QStringLiteral("127.0.0.%1").arg(client + 2));
}

QString account(int client) {
    return QStringLiteral("school%1").arg(client);
}

QByteArray form(const QString& text) {
    return ordalis::encodeGb18030Url(text).toLatin1();
}

quint16 freePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

struct ProxyPorts {
    quint16 plain = freePort();    // the HTTPS server's site without TLS, for the test's clients
    quint16 tls = freePort();      // the same site with TLS, for the program
    quint16 redirect = freePort(); // the plain HTTP server that sends browsers on to HTTPS
};

// The shipped configuration as the README has it edited: the instances' addresses in the
// upstream, this machine's address to listen on, the certificate's and the log's paths in
// `dir`; the site listens without TLS too.
QByteArray testConfiguration(const QByteArray& shipped, QList<quint16> instances,
                             const ProxyPorts& ports, const QByteArray& dir) {
    const auto listen = [](quint16 port, const QByteArray& options = {}) {
        return "    listen 127.0.0.1:" + QByteArray::number(port) + options + ";\n";
    };
    QByteArray result;
    for (const QByteArray& line : shipped.split('\n')) {
        const QByteArray code = line.trimmed();
        if (code.startsWith("listen [::]"))
            continue;
        if (code.startsWith("listen 443")) {
            result += listen(ports.plain) + listen(ports.tls, " ssl");
        } else if (code.startsWith("listen 80")) {
            result += listen(ports.redirect);
        } else if (code.startsWith("ssl_certificate")) {
            result +=
                "    " + code.left(code.indexOf(' ')) + ' ' + dir +
                (code.startsWith("ssl_certificate_key") ? "/server.key;\n" : "/server.pem;\n");
        } else if (code.startsWith("access_log /")) {
            // The shipped format, by its name.
            result +=
                "    access_log " + dir + "/access.log" + code.mid(code.lastIndexOf(' ')) + '\n';
        } else if (code.startsWith("server 10.") && !instances.isEmpty()) {
            const QByteArray options = code.mid(code.indexOf(' ', 7));
            result += "    server 127.0.0.1:" + QByteArray::number(instances.takeFirst()) +
                      options + '\n';
        } else {
            result += line + '\n';
        }
    }
    return result;
}

// A school's certificate authority (ca.pem) and the proxy's certificate for 127.0.0.1 signed by
// it (server.pem, server.key), made in `dir`.
bool makeCertificates(const QString& openssl, const QString& dir) {
    QFile extensions(dir + QStringLiteral("/server.ext"));
    if (!extensions.open(QIODevice::WriteOnly) ||
        !extensions.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n"
                          "extendedKeyUsage=serverAuth\n"))
        return false;
    extensions.close();
    const QString newKey =
        QStringLiteral("-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes ");
    for (const QString& command :
         {QStringLiteral("req -x509 ") + newKey +
              QStringLiteral("-keyout ca.key -out ca.pem -days 2 -subj /CN=OrdalisTestSchoolCA "
                             "-addext basicConstraints=critical,CA:TRUE "
                             "-addext keyUsage=critical,keyCertSign"),
          QStringLiteral("req ") + newKey +
              QStringLiteral("-keyout server.key -out server.csr -subj /CN=127.0.0.1"),
          QStringLiteral("x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial "
                         "-out server.pem -days 2 -extfile server.ext")}) {
        QProcess process;
        process.setWorkingDirectory(dir);
        process.start(openssl, command.split(u' '));
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0)
            return false;
    }
    return true;
}

// The program's login as school1, typed into its login window.
const QStringList LoginAsSchool1{
    QStringLiteral("click Form1/Command1"), QStringLiteral("type frmLogin/ComboUser school1"),
    QStringLiteral("type frmLogin/txtPassword login"), QStringLiteral("click frmLogin/cmdOK")};

double seriesValue(const QByteArray& page, const QByteArray& series) {
    for (const QByteArray& line : page.split('\n'))
        if (line.startsWith(series + ' '))
            return line.mid(series.size() + 1).toDouble();
    return 0;
}

QString batchId(int client, int batch) {
    return QStringLiteral("%1").arg(client * 1000 + batch, 32, 10, QLatin1Char('0'));
}

QString remark(int client, int batch) {
    return QStringLiteral("c%1b%2").arg(client).arg(batch);
}

} // namespace

class DistrictProxyTest : public QObject {
    Q_OBJECT

    HttpAnswer viaProxy(int client, const QByteArray& method, const QByteArray& target,
                        const QByteArray& body = {}, const QByteArray& headers = {}) const {
        return httpRequest(clientAddress(client), m_proxyPort, method, target, body, headers);
    }
    QByteArray change(int client, const char* path, const QString& rest) const {
        return viaProxy(client, "POST", path,
                        form(QStringLiteral("username=%1&password=op").arg(account(client)) + rest))
            .body;
    }
    QByteArray metricsOf(int instance) const {
        return httpRequest(QHostAddress::LocalHost, m_instancePorts[instance], "GET", "/metrics")
            .body;
    }
    // A connection as the test's superuser, for what only the database can tell.
    QSqlDatabase database(const QString& name) const {
        QSqlDatabase db = QSqlDatabase::contains(name)
                              ? QSqlDatabase::database(name)
                              : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(m_cluster->port());
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(name);
        db.open();
        return db;
    }

    // The real program with `settings` as its settings file, played by `steps`.
    DrivenRun program(const QString& settings, const QStringList& arguments,
                      const QStringList& steps) {
        const QString home = m_dir.filePath(QStringLiteral("home%1").arg(++m_programRuns));
        QDir().mkpath(home + QStringLiteral("/config/Ordalis"));
        QFile ini(home + QStringLiteral("/config/Ordalis/ordalis.ini"));
        if (!ini.open(QIODevice::WriteOnly) || ini.write(settings.toUtf8()) < 0)
            return {};
        ini.close();
        return ordalis::test::runDriven(home + QStringLiteral("/data"), steps, arguments, home);
    }
    QString tlsAddress() const { return QStringLiteral("https://127.0.0.1:%1").arg(m_ports.tls); }

    std::unique_ptr<PostgresCluster> m_cluster;
    QTemporaryDir m_dir;
    QString m_databaseName;
    QList<quint16> m_instancePorts;
    std::vector<std::unique_ptr<ServiceProcess>> m_instances;
    QProcess m_nginx;
    ProxyPorts m_ports;
    quint16 m_proxyPort = m_ports.plain;
    QString m_missing;
    int m_programRuns = 0;

private Q_SLOTS:
    void init() {
        if (!m_missing.isEmpty())
            ORDALIS_SKIP_CANNOT_RUN(qPrintable(m_missing));
    }

    void initTestCase() {
        const QString nginx = QStandardPaths::findExecutable(QStringLiteral("nginx")).isEmpty()
                                  ? QStandardPaths::findExecutable(QStringLiteral("nginx"),
                                                                   {QStringLiteral("/usr/sbin")})
                                  : QStandardPaths::findExecutable(QStringLiteral("nginx"));
        if (nginx.isEmpty()) {
            m_missing = QStringLiteral("nginx is not installed");
            return;
        }
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty()) {
            m_missing = QStringLiteral("openssl is not installed");
            return;
        }
        m_cluster = std::make_unique<PostgresCluster>();
        if (!m_cluster->isRunning()) {
            m_missing = QStringLiteral("no PostgreSQL server");
            return;
        }
        // nginx's workers and the PostgreSQL programs do not run as the test's user.
        QFile::setPermissions(m_dir.path(), QFile::Permissions(0x7777));

        // The database and its role; the role's password in the instances' password file.
        const QString location =
            QUrl(
                m_cluster->createDatabase(
                    {QStringLiteral("CREATE ROLE ordalis_app LOGIN PASSWORD '%1'").arg(AppPassword),
                     QStringLiteral("ALTER DATABASE %1 OWNER TO ordalis_app")}))
                .adjusted(QUrl::RemoveUserInfo)
                .toString()
                .replace(QStringLiteral("//"), QStringLiteral("//ordalis_app@"));
        m_databaseName = QUrl(location).path().mid(1);
        const QString passfile = m_dir.filePath(QStringLiteral("pgpass"));
        QFile pgpass(passfile);
        QVERIFY(pgpass.open(QIODevice::WriteOnly));
        pgpass.write(QStringLiteral("127.0.0.1:%1:%2:ordalis_app:%3\n")
                         .arg(m_cluster->port())
                         .arg(m_databaseName, AppPassword)
                         .toUtf8());
        pgpass.close();
        pgpass.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        qputenv("PGPASSFILE", QFile::encodeName(passfile));

        // Each instance's settings file names the proxy it trusts.
        const QString settings = m_dir.filePath(QStringLiteral("service.ini"));
        QFile ini(settings);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("database=" + location.toUtf8() +
                  "\ntrusted-proxy=127.0.0.1\ntrusted-proxy=::1\n");
        ini.close();
        for (int i = 0; i < Instances; ++i) {
            m_instancePorts.append(freePort());
            m_instances.push_back(std::make_unique<ServiceProcess>(
                QStringList{QStringLiteral("--config"), settings, QStringLiteral("--database"),
                            location, QStringLiteral("--listen"),
                            QStringLiteral("127.0.0.1:%1").arg(m_instancePorts.last())}));
            m_instances.back()->logTo(m_dir.filePath(QStringLiteral("service%1.log").arg(i)));
            QVERIFY(m_instances.back()->start());
        }

        QVERIFY(makeCertificates(openssl, m_dir.path()));
        QFile shipped(QFINDTESTDATA("../../dist/nginx/ordalis.conf"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray dir = QFile::encodeName(m_dir.path());
        QFile site(m_dir.filePath(QStringLiteral("ordalis.conf")));
        QVERIFY(site.open(QIODevice::WriteOnly));
        site.write(testConfiguration(shipped.readAll(), m_instancePorts, m_ports, dir));
        site.close();
        QFile main(m_dir.filePath(QStringLiteral("nginx.conf")));
        QVERIFY(main.open(QIODevice::WriteOnly));
        // One worker: its round robin takes the instances in turn.
        main.write("worker_processes 1;\ndaemon off;\npid " + dir + "/nginx.pid;\nerror_log " +
                   dir +
                   "/nginx.err;\nevents { worker_connections 1024; }\nhttp {\n"
                   "    access_log off;\n    client_body_temp_path " +
                   dir + "/body;\n    proxy_temp_path " + dir + "/proxy;\n    fastcgi_temp_path " +
                   dir + "/fastcgi;\n    uwsgi_temp_path " + dir + "/uwsgi;\n    scgi_temp_path " +
                   dir + "/scgi;\n    include " + dir + "/ordalis.conf;\n}\n");
        main.close();
        m_nginx.setProcessChannelMode(QProcess::ForwardedChannels);
        m_nginx.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        m_nginx.start(nginx,
                      {QStringLiteral("-p"), m_dir.path(), QStringLiteral("-c"), main.fileName()});
        QVERIFY(m_nginx.waitForStarted(5000));
        QVERIFY(
            QTest::qWaitFor([&] { return viaProxy(0, "GET", "/healthz").body == "ok"; }, 10000));

        for (int client = 0; client < Clients; ++client) {
            QCOMPARE(viaProxy(client, "POST", "/regteacher.php",
                              form(QStringLiteral("username=%1&teachername=老师&password=login"
                                                  "&superpassword=op&email=t@example.com"
                                                  "&mb=&tel=&qq=")
                                       .arg(account(client))))
                         .body,
                     QByteArray("Success!"));
            QCOMPARE(change(client, "/setclass.php", QStringLiteral("&class=一班")),
                     QByteArray("Success!"));
            QCOMPARE(
                change(client, "/student.php", QStringLiteral("&class=一班&student=张三|李四")),
                QByteArray("Success!"));
        }
    }

    void cleanupTestCase() {
        m_nginx.terminate();
        m_nginx.waitForFinished(5000);
        m_instances.clear();
        for (const QString& name : QSqlDatabase::connectionNames())
            QSqlDatabase::removeDatabase(name);
        m_cluster.reset();
        qunsetenv("PGPASSFILE");
    }

    void aChangeIsSeenWhicheverInstanceAnswersNext() {
        QList<double> before;
        for (int i = 0; i < Instances; ++i)
            before.append(
                seriesValue(metricsOf(i),
                            R"(ordalis_http_requests_total{endpoint="/record.php",status="200"})"));
        for (int round = 0; round < Instances; ++round) {
            const QString added = QStringLiteral("新%1班").arg(round);
            QCOMPARE(change(0, "/setclass.php", QStringLiteral("&class=一班|") + added),
                     QByteArray("Success!"));
            for (int read = 0; read < Instances; ++read) {
                const HttpAnswer record = viaProxy(
                    0, "GET", "/record.php?t=school0&mp=" + ordalis::md5Hex("login").toLatin1());
                QCOMPARE(record.status, 200);
                QVERIFY(ordalis::gb18030::decode(record.body)
                            .startsWith(QStringLiteral("Class_Is_Ready\t一班\t%1\t").arg(added)));
            }
        }
        for (int i = 0; i < Instances; ++i)
            QVERIFY2(
                seriesValue(metricsOf(i),
                            R"(ordalis_http_requests_total{endpoint="/record.php",status="200"})") >
                    before[i],
                qPrintable(QStringLiteral("instance %1 answered no read").arg(i)));
    }

    // The school's authority named in the settings file: the login goes through TLS and the
    // record comes. Without it the login is refused, naming the server and why, and a
    // certificate file that cannot be used is said at start.
    void theProgramTrustsTheSchoolsAuthority() {
        const DrivenRun trusted =
            program(QStringLiteral("[service]\nbase=%1\nca-certificates=%2\n")
                        .arg(tlsAddress(), m_dir.filePath(QStringLiteral("ca.pem"))),
                    {},
                    LoginAsSchool1 + QStringList{QStringLiteral("choose Form1/Combo2 0"),
                                                 QStringLiteral("print Form1/Combo2"),
                                                 QStringLiteral("close Form1")});
        QVERIFY2(trusted.finished && trusted.exitCode == 0,
                 qPrintable(trusted.errors + trusted.output));
        QCOMPARE(trusted.printed(QStringLiteral("Form1/Combo2")), QStringLiteral("一班"));

        const QString missing = m_dir.filePath(QStringLiteral("missing.pem"));
        const DrivenRun untrusted =
            program({},
                    {QStringLiteral("--service-base"), tlsAddress(),
                     QStringLiteral("--ca-certificates"), missing},
                    QStringList{QStringLiteral("answer")} + LoginAsSchool1 +
                        QStringList{QStringLiteral("answer"), QStringLiteral("close frmLogin"),
                                    QStringLiteral("close Form1")});
        QVERIFY2(untrusted.finished && untrusted.exitCode == 0,
                 qPrintable(untrusted.errors + untrusted.output));
        QVERIFY2(untrusted.output.contains(
                     QStringLiteral("answer: 无法使用证书文件 %1：文件不存在。").arg(missing)),
                 qPrintable(untrusted.output));
        const QString refused = untrusted.printed(QStringLiteral("answer"));
        QVERIFY2(refused.startsWith(QStringLiteral("无法验证服务器 127.0.0.1 的证书：")) &&
                     refused.endsWith(QStringLiteral("如果学校使用自己的证书，请在设置中用 "
                                                     "ca-certificates= 指定证书文件。")),
                 qPrintable(refused));
    }

    // The program pointed at http:// meets the proxy's redirect to HTTPS: the login and the
    // version check say so, and no page of the proxy is shown.
    void theRedirectToHttpsIsSaidAsSuch() {
        const DrivenRun run = program(
            {},
            {QStringLiteral("--service-base"),
             QStringLiteral("http://127.0.0.1:%1").arg(m_ports.redirect)},
            LoginAsSchool1 + QStringList{QStringLiteral("answer"), QStringLiteral("close frmLogin"),
                                         QStringLiteral("pause 1500"),
                                         QStringLiteral("print Form1/Panels_2"),
                                         QStringLiteral("close Form1")});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors + run.output));
        QCOMPARE(run.printed(QStringLiteral("answer")),
                 QStringLiteral("服务器返回了意外的内容（HTTP 301），请检查服务器地址"));
        QCOMPARE(run.printed(QStringLiteral("Form1/Panels_2")),
                 QStringLiteral("无法检测服务器版本"));
    }

    // A login, a record read and the latest scores page, through the proxy as every read
    // before: the proxy's access log names each request, and neither it nor any instance's log
    // holds an mp.
    void noLogHoldsAnMp() {
        const QByteArray mp = ordalis::md5Hex(QStringLiteral("login")).toLatin1();
        QCOMPARE(viaProxy(1, "POST", "/checkpassword.php",
                          form(QStringLiteral("username=school1&password=login")))
                     .body,
                 QByteArray("Success!"));
        QCOMPARE(viaProxy(1, "GET", "/record.php?t=school1&mp=" + mp).status, 200);
        QCOMPARE(viaProxy(1, "GET", "/?t=school1&n=5&mp=" + mp).status, 200);

        const auto contents = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray access = contents(m_dir.filePath(QStringLiteral("access.log")));
        // Each of the three with its status, whatever the format writes of its target.
        for (const char* request : {"POST /checkpassword.php", "GET /record.php", "GET /"}) {
            const QRegularExpression line(QLatin1Char('"') +
                                          QRegularExpression::escape(QLatin1String(request)) +
                                          QStringLiteral("[ ?][^\"]*\" 200"));
            QVERIFY2(line.match(QString::fromLatin1(access)).hasMatch(), request);
        }
        QByteArrayList logs{access};
        for (int i = 0; i < Instances; ++i)
            logs.append(contents(m_dir.filePath(QStringLiteral("service%1.log").arg(i))));
        for (const QByteArray& log : logs) {
            QVERIFY2(!log.contains("mp="), log.constData());
            QVERIFY2(!log.contains(mp), log.constData());
        }
    }

    // Each client uploads its batches through the proxy and sends a batch again, under its id,
    // until it is answered "Success!", as the program does; meanwhile one instance is killed.
    void uploadsSurviveAnInstanceKilledAmongThem() {
        std::atomic<int> acknowledged = 0;
        std::atomic<int> unanswered = 0;
        std::vector<std::thread> clients;
        for (int client = 0; client < Clients; ++client)
            clients.emplace_back([&, client] {
                for (int batch = 0; batch < Batches; ++batch) {
                    QStringList lines;
                    for (int line = 0; line < LinesPerBatch; ++line)
                        lines.append(
                            QStringLiteral("一班\t%1\t1\t2024-03-15 08:%2:%3\t%4")
                                .arg(line % 2 ? QStringLiteral("李四") : QStringLiteral("张三"))
                                .arg(batch, 2, 10, QLatin1Char('0'))
                                .arg(line, 2, 10, QLatin1Char('0'))
                                .arg(remark(client, batch)));
                    const QByteArray body =
                        form(QStringLiteral("username=%1&password=op&keti=函数&batch=%2&score=")
                                 .arg(account(client), batchId(client, batch)) +
                             lines.join(u'|'));
                    const QDeadlineTimer deadline(60000);
                    while (!deadline.hasExpired()) {
                        if (viaProxy(client, "POST", "/index.php", body).body == "Success!") {
                            ++acknowledged;
                            break;
                        }
                        ++unanswered;
                        QThread::msleep(100);
                    }
                }
            });
        const QDeadlineTimer started(30000);
        while (acknowledged < Clients && !started.hasExpired())
            QThread::msleep(10);
        m_instances[1]->kill();
        QThread::msleep(300);
        const bool restarted = m_instances[1]->start();
        for (std::thread& client : clients)
            client.join();
        QVERIFY(restarted);
        QCOMPARE(acknowledged.load(), Clients * Batches);
        qInfo("%d uploads sent again after a failed try", unanswered.load());

        // Every batch whole and once: no line missing, none twice.
        QSqlQuery stored(database(m_databaseName));
        QVERIFY(stored.exec(QStringLiteral("SELECT remark, COUNT(*) FROM scores GROUP BY remark")));
        QHash<QString, int> counts;
        while (stored.next())
            counts.insert(stored.value(0).toString(), stored.value(1).toInt());
        QCOMPARE(counts.size(), Clients * Batches);
        for (int client = 0; client < Clients; ++client)
            for (int batch = 0; batch < Batches; ++batch)
                QCOMPARE(counts.value(remark(client, batch)), LinesPerBatch);

        // No more connections than the README counts for max_connections: one per server
        // thread (two per processor, 2 to 16) and one more, per instance.
        QSqlQuery connections(database(m_databaseName));
        QVERIFY(connections.exec(QStringLiteral(
                    "SELECT COUNT(*) FROM pg_stat_activity WHERE usename = 'ordalis_app'")) &&
                connections.next());
        const int perInstance = std::clamp(QThread::idealThreadCount() * 2, 2, 16) + 1;
        QVERIFY2(connections.value(0).toInt() <= Instances * perInstance,
                 qPrintable(connections.value(0).toString()));
    }

    // The proxy's own address is not what the limits count: the client's is, whatever it
    // claims in its own X-Forwarded-For.
    void oneClientsFailuresDoNotLockOutAnother() {
        const QByteArray wrong = form(QStringLiteral("username=school2&password=wrong"));
        const QByteArray right = form(QStringLiteral("username=school2&password=login"));
        for (int i = 0; i < 10; ++i)
            QVERIFY(viaProxy(0, "POST", "/checkpassword.php", wrong).body != "Success!");
        const QString throttled =
            ordalis::gb18030::decode(viaProxy(0, "POST", "/checkpassword.php", right).body);
        QVERIFY2(throttled.startsWith(QStringLiteral("失败次数过多")), qPrintable(throttled));
        QVERIFY(ordalis::gb18030::decode(viaProxy(0, "POST", "/checkpassword.php", right,
                                                  "X-Forwarded-For: 127.0.0.3\r\n")
                                             .body)
                    .startsWith(QStringLiteral("失败次数过多")));
        QCOMPARE(viaProxy(1, "POST", "/checkpassword.php", right).body, QByteArray("Success!"));
        double throttledCount = 0;
        for (int i = 0; i < Instances; ++i)
            throttledCount += seriesValue(
                metricsOf(i), R"(ordalis_throttled_requests_total{limit="failed_checks"})");
        QCOMPARE(throttledCount, 2.0);
    }

    // pg_dump while the instances run, pg_restore into a new database: everything is there.
    void theDatabaseBacksUpAndRestores() {
        QTemporaryDir backups;
        QFile::setPermissions(backups.path(), QFile::Permissions(0x7777));
        const QString dump = backups.filePath(QStringLiteral("ordalis.dump"));
        const QString port = QString::number(m_cluster->port());
        const QStringList server = {QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                                    QStringLiteral("-p"), port,
                                    QStringLiteral("-U"), QStringLiteral("postgres")};
        QVERIFY(m_cluster->run(m_cluster->program(QStringLiteral("pg_dump")),
                               server + QStringList{QStringLiteral("-Fc"), QStringLiteral("-f"),
                                                    dump, m_databaseName}));
        const QString restored = QUrl(m_cluster->createDatabase()).path().mid(1);
        QVERIFY(m_cluster->run(m_cluster->program(QStringLiteral("pg_restore")),
                               server + QStringList{QStringLiteral("-d"), restored, dump}));
        const auto scores = [this](const QString& name) {
            QSqlQuery count(database(name));
            return count.exec(QStringLiteral("SELECT COUNT(*) FROM scores")) && count.next()
                       ? count.value(0).toInt()
                       : -1;
        };
        QCOMPARE(scores(restored), Clients * Batches * LinesPerBatch);
        QCOMPARE(scores(restored), scores(m_databaseName));
    }

    void theHealthCheckFollowsTheDatabase() {
        for (int i = 0; i < Instances; ++i)
            QCOMPARE(
                httpRequest(QHostAddress::LocalHost, m_instancePorts[i], "GET", "/healthz").status,
                200);
        m_cluster->stop();
        for (int i = 0; i < Instances; ++i)
            QCOMPARE(
                httpRequest(QHostAddress::LocalHost, m_instancePorts[i], "GET", "/healthz").status,
                503);
        // The last instance's 503, or nginx's 502 once it has passed over every instance.
        const int throughProxy = viaProxy(0, "GET", "/healthz").status;
        QVERIFY2(throughProxy == 503 || throughProxy == 502,
                 qPrintable(QString::number(throughProxy)));
        // The figures need no database.
        QVERIFY(metricsOf(0).contains("ordalis_database_errors_total"));
    }
};

ORDALIS_GUILESS_TEST_MAIN(DistrictProxyTest)
#include "tst_district_proxy.moc"
