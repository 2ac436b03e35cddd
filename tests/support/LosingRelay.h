// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A loopback relay in front of a real service that passes every byte both ways, but can lose
// the replies to one path: the service gets the request and acts on it, and the client's
// connection is cut as the reply starts, as a dropped network does on the way back.

#include <QTcpServer>
#include <QUrl>

namespace ordalis::test {

class LosingRelay : public QObject {
public:
    explicit LosingRelay(const QUrl& service);

    bool listening() const { return m_server.isListening(); }
    QString baseUrl() const;
    // While on, the reply to every request for `path` ("/index.php") is lost.
    void loseRepliesTo(const QByteArray& path, bool on = true);
    int lostReplies() const { return m_lost; }

private:
    void relay(class QTcpSocket* client);

    QTcpServer m_server;
    QUrl m_service;
    QByteArray m_losingPath;
    int m_lost = 0;
};

} // namespace ordalis::test
