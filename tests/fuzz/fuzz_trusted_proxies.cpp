// SPDX-License-Identifier: GPL-3.0-or-later
// The peer of a connection and the X-Forwarded-For and X-Real-IP headers it sends, and a
// network as the service's settings name a trusted proxy; one line each.

#include "FuzzInput.h"
#include "http/TrustedProxies.h"

#include <QHostAddress>
#include <cstdlib>

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayList parts = fuzz::partsOf(fuzz::bytesOf(data, size), 4);
    service::TrustedProxies proxies;
    if (!proxies.add(QStringLiteral("10.0.0.0/8")) || !proxies.add(QStringLiteral("fd00::/8")))
        std::abort();
    static_cast<void>(proxies.add(QString::fromLatin1(parts[0]))); // refused: nothing added
    const QHostAddress peer(QString::fromLatin1(parts[1]));
    const QHostAddress client = proxies.clientOf(peer, parts[2], parts[3]);
    // Nobody but a trusted proxy chooses the address a request is counted as.
    if (!proxies.contains(service::TrustedProxies::canonical(peer)))
        fuzz::require(client == service::TrustedProxies::canonical(peer),
                      "an untrusted peer is its own client");
    return 0;
}
