// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scripted HTTP server on 127.0.0.1 for the client tests: it records every raw request and
// answers each with the reply queued for it (or the default one), cuts the connection in the
// middle of a reply, or never answers at all.

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

namespace ordalis::testing {

class LoopbackHttpServer {
public:
    struct Request {
        QByteArray method;
        QByteArray target; // path and query as sent
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        QByteArray header(const QByteArray& name) const {
            for (const auto& [key, value] : headers)
                if (key.compare(name, Qt::CaseInsensitive) == 0)
                    return value;
            return {};
        }
        int headerCount(const QByteArray& name) const {
            int count = 0;
            for (const auto& header : headers)
                count += header.first.compare(name, Qt::CaseInsensitive) == 0;
            return count;
        }
    };

    // A complete reply that closes the connection afterwards.
    static QByteArray reply(int status, const QByteArray& body,
                            const QByteArray& contentType = "text/plain") {
        return "HTTP/1.1 " + QByteArray::number(status) +
               " Status\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nContent-Type: " + contentType + "\r\nConnection: close\r\n\r\n" + body;
    }
    // Announces a longer body than it sends, then drops the connection.
    static QByteArray cutReply(const QByteArray& partialBody) {
        return "HTTP/1.1 200 OK\r\nContent-Length: " +
               QByteArray::number(partialBody.size() + 100) + "\r\nConnection: close\r\n\r\n" +
               partialBody;
    }

    LoopbackHttpServer() { m_server.listen(QHostAddress::LocalHost, 0); }

    QString baseUrl() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }

    // The reply for requests without a queued one.
    void setDefaultReply(const QByteArray& raw) { m_defaultReply = raw; }
    void queueReply(const QByteArray& raw) { m_queued.append(raw); }
    // Requests are read but never answered: the client has to give up by itself.
    void setSilent(bool silent) { m_silent = silent; }

    const QList<Request>& requests() const { return m_requests; }

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

private:
    void accept() {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket, buffer] { read(socket, *buffer); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void read(QTcpSocket* socket, QByteArray& buffer) {
        buffer += socket->readAll();
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.append(
                    {lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
        }
        const qsizetype bodyLength = request.header("Content-Length").toLongLong();
        if (buffer.size() < headerEnd + 4 + bodyLength)
            return;
        request.body = buffer.mid(headerEnd + 4, bodyLength);
        buffer.remove(0, headerEnd + 4 + bodyLength);
        m_requests.append(request);
        if (m_silent)
            return;
        socket->write(m_queued.isEmpty() ? m_defaultReply : m_queued.takeFirst());
        socket->flush();
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QMetaObject::Connection m_accepting =
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
    QByteArray m_defaultReply = reply(200, "Success!");
    QList<QByteArray> m_queued;
    QList<Request> m_requests;
    bool m_silent = false;
};

} // namespace ordalis::testing
