// SPDX-License-Identifier: GPL-3.0-or-later
#include "LosingRelay.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <memory>

namespace ordalis::test {

LosingRelay::LosingRelay(const QUrl& service)
    : m_service(service) {
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* client = m_server.nextPendingConnection())
            relay(client);
    });
}

QString LosingRelay::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void LosingRelay::loseRepliesTo(const QByteArray& path, bool on) {
    m_losingPath = on ? path : QByteArray();
}

void LosingRelay::relay(QTcpSocket* client) {
    auto* upstream = new QTcpSocket(client);
    auto losing = std::make_shared<bool>(false);
    upstream->connectToHost(m_service.host(), quint16(m_service.port()));
    connect(client, &QTcpSocket::readyRead, upstream, [this, client, upstream, losing] {
        const QByteArray bytes = client->readAll();
        // A request line for the path: its reply, whenever it comes, is lost.
        if (!m_losingPath.isEmpty() && bytes.contains(" " + m_losingPath + " HTTP/"))
            *losing = true;
        upstream->write(bytes);
    });
    connect(upstream, &QTcpSocket::readyRead, client, [this, client, upstream, losing] {
        const QByteArray bytes = upstream->readAll();
        if (*losing) {
            ++m_lost;
            client->abort();
            client->deleteLater();
            return;
        }
        client->write(bytes);
    });
    connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
    connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
}

} // namespace ordalis::test
