// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/TrustedProxies.h"

namespace ordalis::service {

namespace {

// One entry of X-Forwarded-For: "10.0.0.5", "10.0.0.5:4711", "2001:db8::5" or "[2001:db8::5]:80".
QHostAddress parseHop(QByteArrayView entry) {
    QByteArray text = entry.trimmed().toByteArray();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        text = close < 0 ? QByteArray() : text.mid(1, close - 1);
    } else if (text.count(':') == 1) {
        text.truncate(text.indexOf(':'));
    }
    QHostAddress address;
    if (text.isEmpty() || !address.setAddress(QString::fromLatin1(text)))
        return {};
    return TrustedProxies::canonical(address);
}

} // namespace

QHostAddress TrustedProxies::canonical(const QHostAddress& address) {
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 && address.protocol() == QAbstractSocket::IPv6Protocol ? QHostAddress(v4) : address;
}

Expected<> TrustedProxies::add(const QString& network) {
    const QString text = network.trimmed();
    QPair<QHostAddress, int> subnet;
    if (text.contains(u'/')) {
        subnet = QHostAddress::parseSubnet(text);
    } else if (QHostAddress address; address.setAddress(text)) {
        subnet = {address, address.protocol() == QAbstractSocket::IPv6Protocol ? 128 : 32};
    }
    if (subnet.first.isNull())
        return refusal(QStringLiteral("%1 is no address or ADDRESS/PREFIX network").arg(network));
    m_networks.append({canonical(subnet.first), subnet.second});
    return {};
}

bool TrustedProxies::contains(const QHostAddress& address) const {
    const QHostAddress plain = canonical(address);
    return std::any_of(m_networks.cbegin(), m_networks.cend(),
                       [&](const auto& network) { return plain.isInSubnet(network); });
}

QHostAddress TrustedProxies::clientOf(const QHostAddress& peer, QByteArrayView forwardedFor,
                                      QByteArrayView realIp) const {
    const QHostAddress direct = canonical(peer);
    if (!contains(direct))
        return direct;
    if (forwardedFor.trimmed().isEmpty()) {
        const QHostAddress real = parseHop(realIp);
        return real.isNull() ? direct : real;
    }
    // From the right: each address a trusted proxy was reached from, until one that is not a
    // trusted proxy itself. An entry that is no address ends the walk at the last hop known.
    QHostAddress client = direct;
    const QList<QByteArray> hops = forwardedFor.toByteArray().split(',');
    for (auto hop = hops.crbegin(); hop != hops.crend(); ++hop) {
        const QHostAddress address = parseHop(*hop);
        if (address.isNull())
            break;
        client = address;
        if (!contains(address))
            break;
    }
    return client;
}

} // namespace ordalis::service
