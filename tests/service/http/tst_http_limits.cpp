// SPDX-License-Identifier: GPL-3.0-or-later
// What an anonymous client can hold of the HTTP server: connections per address and in
// total, also behind a trusted proxy, a request trickled in past its deadline, a body a refused
// path would carry, bodies over the limit without a length, and conflicting lengths; and whom
// a request behind proxies speaks for.

#include "http/HttpServer.h"
#include "http/TrustedProxies.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

using ordalis::service::HttpLimits;
using ordalis::service::HttpServer;
using ordalis::service::Reply;
using ordalis::service::Request;

namespace {

struct Server {
    explicit Server(HttpLimits limits, ordalis::service::TrustedProxies proxies = {})
        : http(
              [this](const Request& request) {
                  ++handled;
                  return Reply::text(request.peer, 200);
              },
              [](const Request& request) -> std::optional<Reply> {
                  if (request.path == "/refused")
                      return Reply::error(404, QStringLiteral("Not found"));
                  return std::nullopt;
              },
              limits) {
        http.setTrustedProxies(proxies);
        started = http.start(QStringLiteral("127.0.0.1:0")).ok();
    }
    std::unique_ptr<QTcpSocket> connect(const QHostAddress& from = {}) const {
        auto socket = std::make_unique<QTcpSocket>();
        if (!from.isNull())
            socket->bind(from);
        socket->connectToHost(QHostAddress::LocalHost, http.port());
        socket->waitForConnected(5000);
        return socket;
    }
    std::atomic<int> handled = 0;
    HttpServer http;
    bool started = false;
};

// Everything the server sends until it closes the connection or `ms` pass.
QByteArray readUntilClosed(QTcpSocket& socket, int ms = 5000) {
    QByteArray received;
    QElapsedTimer timer;
    timer.start();
    while (socket.state() == QAbstractSocket::ConnectedState && timer.elapsed() < ms) {
        socket.waitForReadyRead(50);
        received += socket.readAll();
    }
    return received + socket.readAll();
}

QByteArray ask(const Server& server, const QByteArray& request, const QHostAddress& from = {}) {
    const auto socket = server.connect(from);
    socket->write(request);
    return readUntilClosed(*socket);
}

QByteArray getFor(const QByteArray& client) {
    return "GET /a HTTP/1.1\r\nHost: x\r\nConnection: close\r\nX-Forwarded-For: " + client +
           "\r\n\r\n";
}

const QHostAddress Proxy(QStringLiteral("127.0.0.1"));
// How long a test waits for what the server does next: long, as a loaded machine may be slow,
// and never spent when the server does it.
constexpr int EventMs = 30000;

// Whether the server closes the connection without serving its request: waited for until it
// closes or answers, however long a loaded machine takes for either.
bool closedAtOnce(QTcpSocket& socket) {
    socket.write("GET /a HTTP/1.1\r\nHost: x\r\n\r\n");
    socket.waitForBytesWritten(1000);
    QByteArray reply;
    QDeadlineTimer deadline(EventMs);
    while (socket.state() == QAbstractSocket::ConnectedState && !reply.contains("\r\n\r\n") &&
           !deadline.hasExpired()) {
        socket.waitForReadyRead(50);
        reply += socket.readAll();
    }
    return socket.state() != QAbstractSocket::ConnectedState && !reply.contains("200");
}

// Tries `attempt` until it succeeds once, within EventMs. Each try is a new connection, which
// the server counts until it sees it closed: unlike QTRY_VERIFY, no try is made after the one
// that succeeded.
bool eventually(const std::function<bool()>& attempt) {
    QDeadlineTimer deadline(EventMs);
    while (!attempt()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

} // namespace

class HttpLimitsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void connectionsAreLimitedPerAddressAndInTotal() {
        for (const HttpLimits limits : {HttpLimits{100, 3, 30}, HttpLimits{3, 100, 30}}) {
            Server server(limits);
            QVERIFY(server.started);
            std::vector<std::unique_ptr<QTcpSocket>> idle;
            for (int i = 0; i < 3; ++i)
                idle.push_back(server.connect());
            // Once the server has taken them in, a fourth is closed at once; once it has seen
            // one go, a new one is served. Waited for as events, however loaded the machine.
            QVERIFY(eventually([&] { return closedAtOnce(*server.connect()); }));
            idle.pop_back();
            QVERIFY(eventually([&] {
                return ask(server, "GET /a HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
                    .startsWith("HTTP/1.1 200");
            }));
        }
    }

    void clientBehindTrustedProxies_data() {
        QTest::addColumn<QString>("peer");
        QTest::addColumn<QByteArray>("forwardedFor");
        QTest::addColumn<QByteArray>("realIp");
        QTest::addColumn<QString>("client");
        // Trusted: 10.0.0.0/24 and 2001:db8::/32.
        QTest::newRow("untrusted peer's headers are ignored")
            << QStringLiteral("192.0.2.9") << QByteArray("203.0.113.5") << QByteArray("203.0.113.6")
            << QStringLiteral("192.0.2.9");
        QTest::newRow("right-most untrusted hop, not what the client claimed")
            << QStringLiteral("10.0.0.2") << QByteArray("198.51.100.1, 203.0.113.5, 10.0.0.3")
            << QByteArray("10.0.0.3") << QStringLiteral("203.0.113.5");
        QTest::newRow("all hops trusted: the first")
            << QStringLiteral("10.0.0.2") << QByteArray("10.0.0.7,10.0.0.3") << QByteArray()
            << QStringLiteral("10.0.0.7");
        QTest::newRow("no address: the last hop known")
            << QStringLiteral("10.0.0.2") << QByteArray("203.0.113.5, unknown, 10.0.0.3")
            << QByteArray() << QStringLiteral("10.0.0.3");
        QTest::newRow("ports and IPv6")
            << QStringLiteral("::ffff:10.0.0.2") << QByteArray("[2001:db8::1]:4711, 203.0.113.5:80")
            << QByteArray() << QStringLiteral("203.0.113.5");
        QTest::newRow("X-Real-IP without X-Forwarded-For")
            << QStringLiteral("2001:db8::2") << QByteArray(" ") << QByteArray("2001:db9::8")
            << QStringLiteral("2001:db9::8");
        QTest::newRow("trusted peer naming nobody")
            << QStringLiteral("10.0.0.2") << QByteArray() << QByteArray("x")
            << QStringLiteral("10.0.0.2");
    }
    void clientBehindTrustedProxies() {
        QFETCH(QString, peer);
        QFETCH(QByteArray, forwardedFor);
        QFETCH(QByteArray, realIp);
        QFETCH(QString, client);
        ordalis::service::TrustedProxies proxies;
        QVERIFY(proxies.add(QStringLiteral("10.0.0.0/24")));
        QVERIFY(proxies.add(QStringLiteral(" 2001:db8::/32")));
        QVERIFY(!proxies.add(QStringLiteral("10.0.0.0/33")));
        QVERIFY(!proxies.add(QStringLiteral("proxy.example")));
        QCOMPARE(proxies.clientOf(QHostAddress(peer), forwardedFor, realIp).toString(), client);
    }

    // A trusted proxy's connections count in the total only; each request it forwards counts
    // against its client's limit while it runs, so that one client's flood leaves the others
    // served. An untrusted peer stays bound at its own address whatever it claims.
    void connectionsBehindATrustedProxyCountPerClient() {
        ordalis::service::TrustedProxies proxies;
        QVERIFY(proxies.add(Proxy.toString()));
        Server server({100, 3, 30}, proxies);
        QVERIFY(server.started);
        std::vector<std::unique_ptr<QTcpSocket>> held;
        for (int i = 0; i < 4; ++i) {
            held.push_back(server.connect(Proxy));
            held.back()->write("POST /a HTTP/1.1\r\nHost: x\r\nX-Forwarded-For: 127.0.0.2\r\n"
                               "Content-Length: 10\r\n\r\nhalf");
            held.back()->waitForBytesWritten(1000);
        }
        QVERIFY(readUntilClosed(*held.back(), EventMs).startsWith("HTTP/1.1 429"));
        held.pop_back();
        QVERIFY(ask(server, getFor("127.0.0.3"), Proxy).endsWith("127.0.0.3"));
        QVERIFY(ask(server, getFor("127.0.0.2"), Proxy).startsWith("HTTP/1.1 429"));
        held.pop_back();
        QVERIFY(eventually(
            [&] { return ask(server, getFor("127.0.0.2"), Proxy).endsWith("127.0.0.2"); }));

        const QHostAddress other(QStringLiteral("127.0.0.4"));
        QVERIFY(ask(server, getFor("127.0.0.2"), other).endsWith("127.0.0.4"));
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < 3; ++i)
            idle.push_back(server.connect(other));
        QVERIFY(eventually([&] { return closedAtOnce(*server.connect(other)); }));
    }

    // Headers trickled in, one line at a time, still end at the deadline.
    void aRequestMustArriveWithinItsDeadline() {
        Server server({100, 100, 1});
        QVERIFY(server.started);
        const auto slow = server.connect();
        slow->write("POST /a HTTP/1.1\r\n");
        QElapsedTimer timer;
        timer.start();
        while (slow->state() == QAbstractSocket::ConnectedState && timer.elapsed() < 5000) {
            slow->write("X-Filler: 1\r\n");
            slow->waitForBytesWritten(100);
            slow->waitForReadyRead(200);
        }
        QCOMPARE(slow->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(server.handled.load(), 0);
    }

    void requestsAreScreenedBeforeTheirBody() {
        Server server({});
        QVERIFY(server.started);
        // The announced body never comes: the path alone is refused.
        QVERIFY(ask(server, "POST /refused HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\n")
                    .startsWith("HTTP/1.1 404"));
        QVERIFY(ask(server, "POST /a HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n"
                            "Content-Length: 50\r\n\r\nhello")
                    .startsWith("HTTP/1.1 400"));
        // A chunked body has no length to refuse up front; it is cut off at the limit.
        const QByteArray chunk = QByteArray(64 * 1024, 'a');
        const auto socket = server.connect();
        socket->write("POST /a HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n");
        for (int i = 0; i < 20 && socket->state() == QAbstractSocket::ConnectedState; ++i) {
            socket->write(QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n");
            socket->waitForBytesWritten(1000);
        }
        socket->write("0\r\n\r\n");
        QVERIFY(!readUntilClosed(*socket).contains("200"));
        QCOMPARE(server.handled.load(), 0);
        QVERIFY(ask(server, "GET /a HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
                    .startsWith("HTTP/1.1 200"));
    }
};

QTEST_GUILESS_MAIN(HttpLimitsTest)
#include "tst_http_limits.moc"
