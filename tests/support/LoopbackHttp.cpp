// SPDX-License-Identifier: GPL-3.0-or-later

#include "LoopbackHttp.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>

namespace ordalis::test {

quint16 freeLoopbackPort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

HttpAnswer httpRequest(const QHostAddress& from, quint16 port, const QByteArray& method,
                       const QByteArray& target, const QByteArray& body,
                       const QByteArray& extraHeaders, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QTcpSocket socket;
    if (!socket.bind(from))
        return {};
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return {};
    QByteArray request = method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                         "Connection: close\r\n" + extraHeaders;
    if (method == "POST")
        request += "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                   QByteArray::number(body.size()) + "\r\n";
    socket.write(request + "\r\n" + body);
    QByteArray received;
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(int(std::min<qint64>(deadline.remainingTime(), 200)));
        received += socket.readAll();
    }
    received += socket.readAll();
    const qsizetype headersEnd = received.indexOf("\r\n\r\n");
    if (!received.startsWith("HTTP/1.") || headersEnd < 0)
        return {};
    return {received.mid(9, 3).toInt(), received.mid(headersEnd + 4)};
}

} // namespace ordalis::test
