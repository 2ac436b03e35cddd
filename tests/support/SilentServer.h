// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A loopback HTTP listener that accepts connections and never answers: a service that hangs.
// It counts the connections and can act while the first request waits for its reply.

#include "net/ServiceConfig.h"

#include <QTcpServer>
#include <chrono>
#include <functional>

namespace ordalis::test {

class SilentServer : public QObject {
public:
    SilentServer();

    bool listening() const { return m_server.isListening(); }
    QString baseUrl() const;
    // The program's configuration pointed at this server, giving up after timeout.
    ServiceConfig config(std::chrono::milliseconds timeout) const;
    int connections() const { return m_connections; }
    // Runs once, from the event loop, after the first connection arrived.
    void onFirstConnection(std::function<void()> action) { m_action = std::move(action); }

private:
    QTcpServer m_server;
    int m_connections = 0;
    std::function<void()> m_action;
};

} // namespace ordalis::test
