// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One HTTP/1.1 request on a connection of its own from a chosen loopback address (127.0.0.2,
// 127.0.0.3, ...), so that a test can be several clients of a server or a proxy. Blocking, for
// any thread; the connection closes after the reply.

#include <QByteArray>
#include <QHostAddress>

namespace ordalis::test {

struct HttpAnswer {
    int status = 0; // 0: no answer (refused, closed, timed out)
    QByteArray body;
};

// A loopback port nothing listens on at the moment of asking.
quint16 freeLoopbackPort();

HttpAnswer httpRequest(const QHostAddress& from, quint16 port, const QByteArray& method,
                       const QByteArray& target, const QByteArray& body = {},
                       const QByteArray& extraHeaders = {}, int timeoutMs = 30000);

} // namespace ordalis::test
