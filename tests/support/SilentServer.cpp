// SPDX-License-Identifier: GPL-3.0-or-later
#include "SilentServer.h"

#include <QTcpSocket>
#include <QTimer>

namespace ordalis::test {

SilentServer::SilentServer() {
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (m_server.hasPendingConnections()) {
            m_server.nextPendingConnection()->setParent(&m_server);
            if (++m_connections == 1 && m_action)
                QTimer::singleShot(0, this, std::exchange(m_action, nullptr));
        }
    });
}

QString SilentServer::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

ServiceConfig SilentServer::config(std::chrono::milliseconds timeout) const {
    ServiceConfig config;
    config.setServiceBase(baseUrl());
    config.setTimeout(timeout);
    return config;
}

} // namespace ordalis::test
