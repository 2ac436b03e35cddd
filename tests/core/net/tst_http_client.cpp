// SPDX-License-Identifier: GPL-3.0-or-later
// The HTTP procedures against a scripted loopback server: how replies are classified, that a
// silent server cannot freeze the program, and that a failed download never damages the
// record already on disk.

#include "LoopbackHttpServer.h"
#include "net/HttpClient.h"
#include "net/ReplyProblems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ordalis;
using ordalis::testing::LoopbackHttpServer;
using namespace std::chrono_literals;

namespace {

enum class Ends { Done, Refused, NoAnswer };

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A port on which nothing listens: taken from a server that is closed again.
QString closedPortUrl() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

} // namespace

Q_DECLARE_METATYPE(Ends)

class HttpClientTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void postFormClassifiesReplies_data();
    void postFormClassifiesReplies();
    void postFormWithoutServiceIsNetworkFailure();
    void postFormSendsBodyWithFormHeaders();
    void silentServerEndsWaitAfterTimeoutWhileTimersRun();
    void getTextDecodesGbkWhateverTheStatus();
    void getTextAsksPastCaches();
    void downloadReplacesFileOnlyAfterCompleteReply_data();
    void downloadReplacesFileOnlyAfterCompleteReply();
    void downloadsInARowBothReachTheServer();
};

void HttpClientTest::postFormClassifiesReplies_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("word");
    QTest::addColumn<Ends>("ends");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("status"); // the refusal's; 0 where nothing of the protocol came

    const auto done = Ends::Done;
    const auto refused = Ends::Refused;
    const auto failure = Ends::NoAnswer;
    const QString word = QStringLiteral("Success!");
    const QByteArray html = "text/html";
    const QByteArray page = "<html><head><title>301 Moved Permanently</title></head></html>";
    // A reply of another server is said as such, in place of the page it brought.
    const auto unexpected = [](int status) {
        return QStringLiteral("服务器返回了意外的内容（HTTP %1），请检查服务器地址").arg(status);
    };
    QTest::newRow("exact word") << LoopbackHttpServer::reply(200, "Success!") << word << done
                                << QString() << 0;
    QTest::newRow("other case") << LoopbackHttpServer::reply(200, "success!") << word << refused
                                << "success!" << 200;
    QTest::newRow("word and line break")
        << LoopbackHttpServer::reply(200, "Success!\r\n") << word << refused << "Success!\r\n"
        << 200;
    // 密码错误 in GBK: a refusal's reason reaches the teacher readable.
    QTest::newRow("Chinese refusal")
        << LoopbackHttpServer::reply(200, "\xC3\xDC\xC2\xEB\xB4\xED\xCE\xF3") << word << refused
        << QStringLiteral("密码错误") << 200;
    QTest::newRow("empty reply") << LoopbackHttpServer::reply(200, "") << word << refused << ""
                                 << 200;
    QTest::newRow("status 500 with the word")
        << LoopbackHttpServer::reply(500, "Success!") << word << failure << "Success!" << 500;
    QTest::newRow("status 404") << LoopbackHttpServer::reply(404, "Success!") << word << failure
                                << "Success!" << 404;
    // 失败次数过多 in GBK: the service's own reason with its status is kept as it is.
    QTest::newRow("service's 429")
        << LoopbackHttpServer::reply(429, "\xCA\xA7\xB0\xDC\xB4\xCE\xCA\xFD\xB9\xFD\xB6\xE0",
                                     "text/plain; charset=GB18030")
        << word << failure << QStringLiteral("失败次数过多") << 429;
    QTest::newRow("redirect") << LoopbackHttpServer::reply(302, "Success!") << word << failure
                              << unexpected(302) << 0;
    QTest::newRow("redirect to https")
        << LoopbackHttpServer::reply(301, page, html) << word << failure << unexpected(301) << 0;
    QTest::newRow("proxy's error page")
        << LoopbackHttpServer::reply(502, "<center>502 Bad Gateway</center>", html) << word
        << failure << unexpected(502) << 0;
    QTest::newRow("portal page with 200")
        << LoopbackHttpServer::reply(200, "\n <!DOCTYPE HTML><p>Log in to the Wi-Fi") << word
        << failure << unexpected(200) << 0;
    QTest::newRow("cut after the word")
        << LoopbackHttpServer::cutReply("Success!") << word << failure << "Success!" << 200;
    QTest::newRow("lower-case word of setpassword")
        << LoopbackHttpServer::reply(200, "success") << "success" << done << QString() << 0;
    QTest::newRow("failure word of setpassword")
        << LoopbackHttpServer::reply(200, "failure") << "success" << refused << "failure" << 200;
}

void HttpClientTest::postFormClassifiesReplies() {
    QFETCH(QByteArray, reply);
    QFETCH(QString, word);
    QFETCH(Ends, ends);
    QFETCH(QString, text);
    QFETCH(int, status);

    LoopbackHttpServer server;
    server.setDefaultReply(reply);
    HttpClient client(5s);
    const Expected<> outcome =
        client.postForm(QUrl(server.baseUrl() + "/index.php"), "username=a", word);
    QCOMPARE(outcome.ok(), ends == Ends::Done);
    QCOMPARE(server.requests().size(), 1);
    if (outcome)
        return;
    QCOMPARE(outcome.refusal().isNoAnswer(), ends == Ends::NoAnswer);
    // A cut reply may or may not hand over the bytes that did arrive; the kind is what counts.
    if (QByteArray(QTest::currentDataTag()).startsWith("cut"))
        return;
    QCOMPARE(outcome.why(), text);
    QCOMPARE(outcome.refusal().httpStatus, status);
    // A window says the problem where there is one, otherwise its own words, led by the
    // service's reason where it shows it.
    const bool problem = ends == Ends::NoAnswer && status == 0;
    QCOMPARE(noAnswerText(outcome.refusal(), QStringLiteral("网络异常！")),
             problem ? text : QStringLiteral("网络异常！"));
    QCOMPARE(noAnswerTextWithReply(outcome.refusal(), QStringLiteral("网络异常！")),
             problem ? text : text + QStringLiteral("\r\n网络异常！"));
}

void HttpClientTest::postFormWithoutServiceIsNetworkFailure() {
    HttpClient client(5s);
    const Expected<> refused =
        client.postForm(QUrl(closedPortUrl() + "/index.php"), "username=a", "Success!");
    QVERIFY(!refused && refused.refusal().isNoAnswer());
    QCOMPARE(refused.refusal().httpStatus, 0);
    QCOMPARE(noAnswerText(refused.refusal(), QStringLiteral("网络异常！")),
             QStringLiteral("网络异常！"));

    // No address configured: the request cannot even be made.
    const Expected<> unusable = client.postForm(QUrl("/index.php"), "username=a", "Success!");
    QVERIFY(!unusable && unusable.refusal().isNoAnswer());
}

void HttpClientTest::postFormSendsBodyWithFormHeaders() {
    LoopbackHttpServer server;
    HttpClient client(5s);
    const QByteArray body = "username=a b&password=x+y%z&keti=k";
    QVERIFY(client.postForm(QUrl(server.baseUrl() + "/index.php"), body, "Success!").ok());

    QCOMPARE(server.requests().size(), 1);
    const LoopbackHttpServer::Request& request = server.requests().first();
    QCOMPARE(request.method, "POST");
    QCOMPARE(request.target, "/index.php");
    QCOMPARE(request.body, body);
    QCOMPARE(request.headerCount("Content-Length"), 1);
    QCOMPARE(request.header("Content-Length"), QByteArray::number(body.size()));
    QCOMPARE(request.headerCount("Content-Type"), 1);
    QCOMPARE(request.header("Content-Type"), "application/x-www-form-urlencoded");
}

void HttpClientTest::silentServerEndsWaitAfterTimeoutWhileTimersRun() {
    LoopbackHttpServer server;
    server.setSilent(true);
    HttpClient client(300ms);

    int ticks = 0;
    QTimer classTimer;
    QObject::connect(&classTimer, &QTimer::timeout, [&ticks] { ++ticks; });
    classTimer.start(20);

    const Expected<> outcome =
        client.postForm(QUrl(server.baseUrl() + "/index.php"), "username=a", "Success!");
    QVERIFY(!outcome && outcome.refusal().isNoAnswer());
    QCOMPARE(server.requests().size(), 1);
    QVERIFY2(ticks > 0, "the class timer stood still during the upload");

    ticks = 0;
    QCOMPARE(client.getText(QUrl(server.baseUrl() + "/getteacher.php")), QString());
    QVERIFY(ticks > 0);
    QTemporaryDir dir;
    QVERIFY(!client.downloadToFile(QUrl(server.baseUrl() + "/record.php"),
                                   dir.filePath("ServerRec.dmd")));
    QVERIFY(!QFile::exists(dir.filePath("ServerRec.dmd")));
}

void HttpClientTest::getTextDecodesGbkWhateverTheStatus() {
    LoopbackHttpServer server;
    server.queueReply(LoopbackHttpServer::reply(200, "\xD5\xC5\xC8\xFD\r\nab"));
    server.queueReply(LoopbackHttpServer::reply(500, "\xB4\xED"));
    server.queueReply(LoopbackHttpServer::reply(301, "<html>Moved</html>", "text/html"));
    server.queueReply(LoopbackHttpServer::reply(301, "<html>Moved</html>", "text/html"));
    HttpClient client(5s);
    QCOMPARE(client.getText(QUrl(server.baseUrl() + "/getteacher.php")),
             QStringLiteral("张三\r\nab"));
    QCOMPARE(client.getText(QUrl(server.baseUrl() + "/getteacher.php")), QStringLiteral("错"));
    // Another server's page is no data of the teacher's, with or without waiting.
    QCOMPARE(client.getText(QUrl(server.baseUrl() + "/getteacher.php")), QString());
    QString later = QStringLiteral("none yet");
    QObject context;
    client.getTextLater(QUrl(server.baseUrl() + "/version.php"), &context,
                        [&later](const QString& text) { later = text; });
    QTRY_COMPARE(later, QString());
    QCOMPARE(client.getText(QUrl(closedPortUrl() + "/getteacher.php")), QString());
}

void HttpClientTest::getTextAsksPastCaches() {
    LoopbackHttpServer server;
    HttpClient client(5s);
    client.getText(QUrl(server.baseUrl() + "/checkusername.php?u=abcd"));
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().method, "GET");
    QCOMPARE(server.requests().first().header("If-Modified-Since"), "0");
}

void HttpClientTest::downloadReplacesFileOnlyAfterCompleteReply_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("replaced");

    QTest::newRow("complete") << LoopbackHttpServer::reply(200, "new\r\nrecord") << true;
    QTest::newRow("empty record") << LoopbackHttpServer::reply(200, "") << true;
    QTest::newRow("status 500") << LoopbackHttpServer::reply(500, "error page") << false;
    QTest::newRow("status 403") << LoopbackHttpServer::reply(403, "") << false;
    QTest::newRow("cut connection") << LoopbackHttpServer::cutReply("new\r\nrec") << false;
}

void HttpClientTest::downloadReplacesFileOnlyAfterCompleteReply() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, replaced);

    QTemporaryDir dir;
    const QString path = dir.filePath("ServerRec.dmd");
    const QByteArray previous = "Class_Is_Ready\t\xB3\xF5\xD2\xBB\t\r\nold";
    writeAll(path, previous);

    LoopbackHttpServer server;
    server.setDefaultReply(reply);
    HttpClient client(5s);
    const QUrl url(server.baseUrl() + "/record.php?t=a&mp=b");
    const HttpClient::Download download = client.downloadToFile(url, path);
    QCOMPARE(download && download->ok(), replaced);
    const QByteArray expected = replaced ? reply.mid(reply.indexOf("\r\n\r\n") + 4) : previous;
    QCOMPARE(readAll(path), expected);
    // Nothing is left behind beside the record.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"ServerRec.dmd"});

    // A reply taken that cannot be written is no refusal: the write says why, for the window.
    const HttpClient::Download unwritten =
        client.downloadToFile(url, dir.filePath("gone/ServerRec.dmd"));
    QCOMPARE(bool(unwritten), replaced);
    if (unwritten)
        QVERIFY(!unwritten->ok() && !unwritten->why().isEmpty());
}

void HttpClientTest::downloadsInARowBothReachTheServer() {
    LoopbackHttpServer server;
    server.queueReply(LoopbackHttpServer::reply(200, "first"));
    server.queueReply(LoopbackHttpServer::reply(200, "second"));
    QTemporaryDir dir;
    const QString path = dir.filePath("ServerRec.dmd");
    const QUrl url(server.baseUrl() + "/record.php?t=a&mp=b");
    HttpClient client(5s);
    QVERIFY(client.downloadToFile(url, path));
    QVERIFY(client.downloadToFile(url, path));
    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(readAll(path), "second");
}

QTEST_GUILESS_MAIN(HttpClientTest)
#include "tst_http_client.moc"
