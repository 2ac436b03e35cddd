// SPDX-License-Identifier: GPL-3.0-or-later
// The real ordalis-service over HTTP: the body limit, the bytes of a query, concurrent
// uploads, an upload cut short by killing the process, and the metrics page.

#include "ServiceProcess.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using ordalis::test::ServiceProcess;

namespace {

struct HttpReply {
    int status = 0;
    QByteArray body;
};

// Sends the requests at once and waits for all replies.
QList<HttpReply> exchange(QNetworkAccessManager& manager,
                          const QList<QPair<QUrl, QByteArray>>& requests, int timeoutMs = 60000) {
    QList<QNetworkReply*> replies;
    for (const auto& [url, body] : requests) {
        QNetworkRequest request(url);
        if (body.isNull()) {
            replies.append(manager.get(request));
        } else {
            request.setHeader(QNetworkRequest::ContentTypeHeader,
                              QByteArrayLiteral("application/x-www-form-urlencoded"));
            replies.append(manager.post(request, body));
        }
    }
    QEventLoop loop;
    int open = int(replies.size());
    for (QNetworkReply* reply : replies)
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&] {
            if (--open == 0)
                loop.quit();
        });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (open > 0)
        loop.exec();
    QList<HttpReply> results;
    for (QNetworkReply* reply : replies) {
        results.append(
            {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll()});
        reply->abort();
        reply->deleteLater();
    }
    return results;
}

HttpReply request(const QUrl& url, const QByteArray& body = QByteArray()) {
    QNetworkAccessManager manager;
    return exchange(manager, {{url, body}}).value(0);
}

QByteArray form(const QString& text) {
    return ordalis::encodeGb18030Url(text).toLatin1();
}

QString recordOf(const ServiceProcess& service, const QString& account, const QString& login) {
    return ordalis::gb18030::decode(
        request(QUrl(service.baseUrl() +
                     QStringLiteral("/record.php?t=%1&mp=%2").arg(account, ordalis::md5Hex(login))))
            .body);
}

// One request from a loopback address of the caller's choice (127.0.0.2, …), as a client there
// would send it; the reply's body.
QString askFrom(const QString& from, quint16 port, const QByteArray& method, const QString& target,
                const QByteArray& body = {}) {
    QTcpSocket socket;
    if (!socket.bind(QHostAddress(from)))
        return QStringLiteral("cannot bind %1").arg(from);
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return QStringLiteral("no connection");
    QByteArray request = method + ' ' + ordalis::encodeGb18030Url(target).toLatin1() +
                         " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n";
    if (method == "POST")
        request += "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                   QByteArray::number(body.size()) + "\r\n";
    socket.write(request + "\r\n" + body);
    QByteArray reply;
    while (socket.waitForReadyRead(5000))
        reply += socket.readAll();
    return ordalis::gb18030::decode(reply.mid(reply.indexOf("\r\n\r\n") + 4));
}

} // namespace

class ServiceHttpTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Guessing from one address while the teacher works from another: once the address is
    // throttled for the account, a right guess is answered exactly as a wrong one, also for a
    // credential the service remembers; the teacher's address goes on as before.
    void aThrottledAddressLearnsNothingFromARememberedCredential_data() {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("wrong");
        const QString read = QStringLiteral("/record.php?t=alice&mp=");
        QTest::newRow("mp") << QByteArray("GET") << read + ordalis::md5Hex(QStringLiteral("pw"))
                            << read + ordalis::md5Hex(QStringLiteral("guess"));
        const QString change =
            QStringLiteral("/setcalls.php|username=alice&calls=&batch=&password=");
        QTest::newRow("operation password") << QByteArray("POST") << change + QStringLiteral("op")
                                            << change + QStringLiteral("guess");
        const QString login = QStringLiteral("/checkpassword.php|username=alice&password=");
        QTest::newRow("login") << QByteArray("POST") << login + QStringLiteral("pw")
                               << login + QStringLiteral("guess");
    }

    void aThrottledAddressLearnsNothingFromARememberedCredential() {
        QFETCH(QByteArray, method);
        QFETCH(QString, right);
        QFETCH(QString, wrong);
        ServiceProcess service;
        QVERIFY(service.start());
        QVERIFY(service.registerTeacher(QStringLiteral("alice"), QStringLiteral("pw"),
                                        QStringLiteral("op")));
        const auto ask = [&](const char* from, const QString& what) {
            return askFrom(QString::fromLatin1(from), service.port(), method,
                           what.section(u'|', 0, 0), form(what.section(u'|', 1)));
        };
        const QString answered = ask("127.0.0.3", right); // the teacher: now remembered
        QVERIFY2(answered != ask("127.0.0.3", wrong), qPrintable(answered));
        QString refused;
        for (int guess = 0; guess < 11; ++guess)
            refused = ask("127.0.0.2", wrong);
        QVERIFY2(refused.contains(QStringLiteral("失败次数过多")), qPrintable(refused));
        QCOMPARE(ask("127.0.0.2", right), refused);
        QCOMPARE(ask("127.0.0.3", right), answered);
        // Just confirmed for the teacher, with nothing committed since: still refused here.
        QCOMPARE(ask("127.0.0.2", right), refused);
        // Guessed from the teacher's own address (a school behind one address): refused there
        // too, though that address was the last to use the remembered credential.
        for (int guess = 0; guess < 10; ++guess)
            ask("127.0.0.3", wrong);
        QCOMPARE(ask("127.0.0.3", right), refused);
    }

    void servesTheProtocolOverHttp() {
        ServiceProcess service;
        QVERIFY(service.start());
        QVERIFY(service.baseUrl().startsWith(QStringLiteral("http://127.0.0.1:")));
        QVERIFY(service.registerTeacher(QStringLiteral("teacher1"), QStringLiteral("pw"),
                                        QStringLiteral("op")));
        const HttpReply taken =
            request(QUrl(service.baseUrl() + QStringLiteral("/checkusername.php?u=teacher1")));
        QCOMPARE(taken.status, 200);
        QVERIFY(taken.body != "\xA1\xCC");
        QCOMPARE(request(QUrl(service.baseUrl() + "/setclass.php"),
                         form("username=teacher1&password=op&class=一班|二班"))
                     .body,
                 QByteArray("Success!"));
        // A query escaped in GBK, as the program sends class names.
        QCOMPARE(
            request(QUrl(service.baseUrl() +
                         "/getscore.php?class=%D2%BB%B0%E0&t=teacher1&mp=" + ordalis::md5Hex("pw")))
                .status,
            200);
        QCOMPARE(recordOf(service, "teacher1", "pw"),
                 QStringLiteral("Class_Is_Ready\t一班\t二班\t\r\n"));
        QCOMPARE(request(QUrl(service.baseUrl() + "/version.php?s=Tumbrel&t=0.1")).body,
                 QByteArray("Tumbrel:" ORDALIS_VERSION));
    }

    // The metrics page after a known sequence of requests, and who may read it.
    void metricsCountAKnownSequence() {
        ServiceProcess service({QStringLiteral("--trusted-proxy"), QStringLiteral("127.0.0.1")});
        QVERIFY(service.start());
        const QString base = service.baseUrl();
        QCOMPARE(request(QUrl(base + "/healthz")).body, QByteArray("ok"));
        QCOMPARE(request(QUrl(base + "/nowhere")).status, 404);
        QVERIFY(service.registerTeacher(QStringLiteral("teacher1"), QStringLiteral("pw"),
                                        QStringLiteral("op")));
        QCOMPARE(
            request(QUrl(base + "/setclass.php"), form("username=teacher1&password=op&class=一班"))
                .body,
            QByteArray("Success!"));
        QCOMPARE(request(QUrl(base + "/student.php"),
                         form("username=teacher1&password=op&class=一班&student=张三"))
                     .body,
                 QByteArray("Success!"));
        const QByteArray upload =
            form("username=teacher1&password=op&keti=函数&batch=0123456789abcdef0123456789abcdef"
                 "&score=一班\t张三\t1\t2024-03-15 08:00:00\t|一班\t张三\t2\t2024-03-15 08:00:01\t"
                 "|一班\t张三\t3\t2024-03-15 08:00:02\t");
        for (int i = 0; i < 2; ++i) // the second is the same batch again: stored once
            QCOMPARE(request(QUrl(base + "/index.php"), upload).body, QByteArray("Success!"));
        for (int i = 0; i < 2; ++i)
            QCOMPARE(request(QUrl(base + "/record.php?t=teacher1&mp=wrong")).status, 403);

        // Forwarded by the trusted proxy for a client elsewhere: not for that client's eyes.
        QNetworkAccessManager manager;
        QNetworkRequest forwarded(QUrl(base + "/metrics"));
        forwarded.setRawHeader("X-Forwarded-For", "203.0.113.9");
        QNetworkReply* refused = manager.get(forwarded);
        QVERIFY(QTest::qWaitFor([refused] { return refused->isFinished(); }, 10000));
        QCOMPARE(refused->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 403);
        delete refused;

        const HttpReply metrics = request(QUrl(base + "/metrics"));
        QCOMPARE(metrics.status, 200);
        const auto value = [&](const QByteArray& series) {
            for (const QByteArray& line : metrics.body.split('\n'))
                if (line.startsWith(series + ' '))
                    return line.mid(series.size() + 1).toDouble();
            return -1.0;
        };
        const QList<QPair<QByteArray, double>> expected = {
            {R"(ordalis_http_requests_total{endpoint="/healthz",status="200"})", 1},
            {R"(ordalis_http_requests_total{endpoint="other",status="404"})", 1},
            {R"(ordalis_http_requests_total{endpoint="/regteacher.php",status="200"})", 1},
            {R"(ordalis_http_requests_total{endpoint="/index.php",status="200"})", 2},
            {R"(ordalis_http_requests_total{endpoint="/record.php",status="403"})", 2},
            {R"(ordalis_http_requests_total{endpoint="/metrics",status="403"})", 1},
            {R"(ordalis_http_request_duration_seconds_count{endpoint="/index.php"})", 2},
            {R"(ordalis_http_request_duration_seconds_bucket{endpoint="/index.php",le="+Inf"})", 2},
            {"ordalis_uploads_stored_total", 1},
            {"ordalis_score_lines_stored_total", 3},
            {"ordalis_group_commit_changes_count", 4},
            {"ordalis_group_commit_changes_sum", 4},
            {R"(ordalis_throttled_requests_total{limit="failed_checks"})", 0},
            {"ordalis_database_errors_total", 0},
        };
        for (const auto& [series, count] : expected)
            QVERIFY2(value(series) == count,
                     qPrintable(series + " is " + QByteArray::number(value(series))));
        QVERIFY(value("ordalis_http_open_connections") >= 1);
        QVERIFY(metrics.body.contains("# TYPE ordalis_http_request_duration_seconds histogram"));

        // Prometheus' own check of the format, where it is installed.
        if (const QString promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
            !promtool.isEmpty()) {
            QProcess check;
            check.start(promtool, {QStringLiteral("check"), QStringLiteral("metrics")});
            check.write(metrics.body);
            check.closeWriteChannel();
            QVERIFY(check.waitForFinished(30000));
            QVERIFY2(check.exitCode() == 0, check.readAllStandardError().constData());
        }
    }

    void bodiesOverOneMebibyteAreRefused() {
        ServiceProcess service;
        QVERIFY(service.start());
        QVERIFY(service.registerTeacher(QStringLiteral("teacher1"), QStringLiteral("pw"),
                                        QStringLiteral("op")));
        const QByteArray huge =
            "username=teacher1&password=op&class=" + QByteArray(1024 * 1024, 'a');
        // A plain socket: the status line must arrive whatever the client does after it.
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, service.port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write("POST /setclass.php HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
                     "application/x-www-form-urlencoded\r\n"
                     "Content-Length: " +
                     QByteArray::number(huge.size()) + "\r\n\r\n" + huge);
        QByteArray response;
        while (!response.contains("\r\n") && socket.waitForReadyRead(10000))
            response += socket.readAll();
        QVERIFY2(response.startsWith("HTTP/1.1 413"), response.left(40).constData());
        QCOMPARE(recordOf(service, "teacher1", "pw"), QStringLiteral("Class_Is_Ready\t\r\n"));
    }

    void concurrentUploadsLoseNothing() {
        ServiceProcess service;
        QVERIFY(service.start());
        QVERIFY(service.registerTeacher(QStringLiteral("teacher1"), QStringLiteral("pw"),
                                        QStringLiteral("op")));
        QCOMPARE(request(QUrl(service.baseUrl() + "/setclass.php"),
                         form("username=teacher1&password=op&class=一班"))
                     .body,
                 QByteArray("Success!"));
        QCOMPARE(request(QUrl(service.baseUrl() + "/student.php"),
                         form("username=teacher1&password=op&class=一班&student=张三|李四"))
                     .body,
                 QByteArray("Success!"));
        constexpr int Clients = 8;
        constexpr int LinesEach = 24;
        QList<QPair<QUrl, QByteArray>> uploads;
        for (int client = 0; client < Clients; ++client) {
            QStringList lines;
            for (int i = 0; i < LinesEach; ++i)
                lines.append(QStringLiteral("一班\t%1\t1分\t2024-03-15 08:%2:%3\t")
                                 .arg(i % 2 ? "李四" : "张三")
                                 .arg(client, 2, 10, QLatin1Char('0'))
                                 .arg(i, 2, 10, QLatin1Char('0')));
            uploads.append(
                {QUrl(service.baseUrl() + "/index.php"),
                 form("username=teacher1&password=op&keti=函数&score=" + lines.join(u'|'))});
        }
        // One manager per client, so that the uploads really travel on separate connections.
        std::vector<std::unique_ptr<QNetworkAccessManager>> managers;
        QList<QNetworkReply*> replies;
        for (const auto& [url, body] : uploads) {
            managers.push_back(std::make_unique<QNetworkAccessManager>());
            QNetworkRequest post(url);
            post.setHeader(QNetworkRequest::ContentTypeHeader,
                           QByteArrayLiteral("application/x-www-form-urlencoded"));
            replies.append(managers.back()->post(post, body));
        }
        for (QNetworkReply* reply : replies) {
            QVERIFY(reply->isFinished() ||
                    QTest::qWaitFor([reply] { return reply->isFinished(); }, 60000));
            QCOMPARE(reply->readAll(), QByteArray("Success!"));
        }
        const QString record = recordOf(service, "teacher1", "pw");
        QVERIFY2(record.contains(QStringLiteral("一班\t张三\t0\t96\t1\t96\r\n")),
                 record.toUtf8().constData());
        QVERIFY(record.contains(QStringLiteral("一班\t李四\t0\t96\t1\t96\r\n")));
    }

    void killedDuringUploadsKeepsWholeUploadsOnly() {
        ServiceProcess service;
        QVERIFY(service.start());
        QVERIFY(service.registerTeacher(QStringLiteral("teacher1"), QStringLiteral("pw"),
                                        QStringLiteral("op")));
        QStringList students;
        for (int i = 0; i < 50; ++i)
            students.append(QStringLiteral("学生%1").arg(i));
        QCOMPARE(request(QUrl(service.baseUrl() + "/setclass.php"),
                         form("username=teacher1&password=op&class=一班"))
                     .body,
                 QByteArray("Success!"));
        QCOMPARE(
            request(QUrl(service.baseUrl() + "/student.php"),
                    form("username=teacher1&password=op&class=一班&student=" + students.join(u'|')))
                .body,
            QByteArray("Success!"));
        constexpr int Lines = 2000;
        QStringList lines;
        for (int i = 0; i < Lines; ++i)
            lines.append(QStringLiteral("一班\t%1\t1\t2024-03-15 08:00:00\t")
                             .arg(students[i % students.size()]));
        const QByteArray body =
            form("username=teacher1&password=op&keti=函数&score=" + lines.join(u'|'));

        // Large uploads keep arriving while the process is killed at some point among them.
        QNetworkAccessManager manager;
        QList<QNetworkReply*> replies;
        for (int i = 0; i < 6; ++i) {
            QNetworkRequest post(QUrl(service.baseUrl() + "/index.php"));
            post.setHeader(QNetworkRequest::ContentTypeHeader,
                           QByteArrayLiteral("application/x-www-form-urlencoded"));
            replies.append(manager.post(post, body));
        }
        QVERIFY(QTest::qWaitFor([&] { return replies.first()->isFinished(); }, 30000));
        QTest::qWait(30);
        service.kill();
        QVERIFY(QTest::qWaitFor(
            [&] {
                return std::all_of(replies.begin(), replies.end(),
                                   [](auto* r) { return r->isFinished(); });
            },
            10000));
        const auto acknowledged = std::count_if(replies.begin(), replies.end(), [](auto* r) {
            return r->readAll() == QByteArray("Success!");
        });
        QVERIFY(service.start());
        const QString record = recordOf(service, "teacher1", "pw");
        qint64 count = 0;
        for (const QString& line : record.split(QStringLiteral("\r\n")))
            if (line.startsWith(QStringLiteral("一班\t")))
                count += line.section(u'\t', 5, 5).toLongLong();
        QVERIFY2(count % Lines == 0 && count >= Lines, qPrintable(QString::number(count)));
        // Every upload answered "Success!" before the kill is there.
        QVERIFY2(count >= acknowledged * Lines, qPrintable(QString::number(count)));
        qDeleteAll(replies);
    }
};

QTEST_GUILESS_MAIN(ServiceHttpTest)
#include "tst_service_http.moc"
