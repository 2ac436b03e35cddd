// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One HTTP request as the protocol sees it, free of any socket or server library.

#include <QByteArray>
#include <QString>

namespace ordalis::service {

struct Request {
    QByteArray method; // "GET", "POST", "HEAD"
    QByteArray path;   // "/record.php", without the query
    QByteArray query;  // raw bytes after "?", still percent-encoded
    QByteArray body;   // raw form body, still percent-encoded
    // The client's address, the unit of per-client throttling: the connection's peer, or the
    // client a trusted proxy forwards for (see TrustedProxies).
    QString peer;
};

} // namespace ordalis::service
