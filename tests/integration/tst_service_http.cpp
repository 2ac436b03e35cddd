// SPDX-License-Identifier: GPL-3.0-or-later
// The real ordalis-service over HTTP: the body limit, the bytes of a query, concurrent
// uploads, and an upload cut short by killing the process.

#include "ServiceProcess.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
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

} // namespace

class ServiceHttpTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
