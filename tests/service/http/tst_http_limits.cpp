// SPDX-License-Identifier: GPL-3.0-or-later
// What an anonymous client can hold of the HTTP server: connections per address and in
// total, a request trickled in past its deadline, a body a refused path would carry, bodies
// over the limit without a length, and conflicting lengths.

#include "http/HttpServer.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>
#include <atomic>
#include <memory>
#include <vector>

using ordalis::service::HttpLimits;
using ordalis::service::HttpServer;
using ordalis::service::Reply;
using ordalis::service::Request;

namespace {

struct Server {
    explicit Server(HttpLimits limits)
        : http(
              [this](const Request& request) {
                  ++handled;
                  return Reply::text(QString::fromLatin1(request.path), 200);
              },
              [](const Request& request) -> std::optional<Reply> {
                  if (request.path == "/refused")
                      return Reply::error(404, QStringLiteral("Not found"));
                  return std::nullopt;
              },
              limits) {
        QString error;
        started = http.start(QStringLiteral("127.0.0.1:0"), &error);
    }
    std::unique_ptr<QTcpSocket> connect() const {
        auto socket = std::make_unique<QTcpSocket>();
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

bool closedAtOnce(QTcpSocket& socket) {
    socket.write("GET /a HTTP/1.1\r\nHost: x\r\n\r\n");
    socket.waitForBytesWritten(1000);
    const QByteArray reply = readUntilClosed(socket, 2000);
    return socket.state() != QAbstractSocket::ConnectedState && !reply.contains("200");
}

QByteArray ask(const Server& server, const QByteArray& request) {
    const auto socket = server.connect();
    socket->write(request);
    return readUntilClosed(*socket);
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
            QTest::qWait(100); // the server has taken them in
            const auto surplus = server.connect();
            QVERIFY(closedAtOnce(*surplus));
            idle.pop_back();
            QTest::qWait(200);
            QVERIFY(ask(server, "GET /a HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
                        .startsWith("HTTP/1.1 200"));
        }
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
