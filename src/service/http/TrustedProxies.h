// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reverse proxies whose word on a request's client is taken: behind a proxy every request
// comes from the proxy's address, and the limits per client (connections, registrations, check
// codes, failed checks) must count the clients it forwards, not the proxy. Only a connection
// from one of these networks may name its client, in X-Forwarded-For or X-Real-IP; from any
// other peer those headers are ignored, so nobody can choose the address they are counted as.

#include "text/Refusal.h"

#include <QByteArrayView>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>

namespace ordalis::service {

class TrustedProxies {
public:
    // Adds "ADDRESS" or "ADDRESS/PREFIX" (IPv4 or IPv6); refuses anything else.
    Expected<> add(const QString& network);
    bool isEmpty() const { return m_networks.isEmpty(); }
    bool contains(const QHostAddress& address) const;

    // The client a request from `peer` speaks for. From a trusted peer: the right-most address
    // of X-Forwarded-For that is not itself trusted (each proxy appends the address it was
    // reached from, so addresses to the left of it are only what the client claimed), the
    // left-most when all are trusted; without that header, X-Real-IP. Otherwise the peer.
    QHostAddress clientOf(const QHostAddress& peer, QByteArrayView forwardedFor,
                          QByteArrayView realIp) const;

    // An IPv4 client of an IPv6 socket ("::ffff:10.0.0.5") as the IPv4 address it is.
    static QHostAddress canonical(const QHostAddress& address);

private:
    QList<QPair<QHostAddress, int>> m_networks;
};

} // namespace ordalis::service
