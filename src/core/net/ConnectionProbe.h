// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the score service can be reached at all, for the login window's probe. A service on
// this machine (the embedded one) always counts as reachable; otherwise some network interface
// besides loopback must be up. A school's service on the local network is reachable without an
// internet route, so only the local link is asked for.

#include <QUrl>
#include <functional>

namespace ordalis {

// True when the URL's host is this machine: localhost, 127.0.0.0/8 or ::1.
bool isLoopbackUrl(const QUrl& url);

// True when the platform reports a network link: QNetworkInformation where it has a backend,
// else any interface other than loopback that is up and running with an address.
bool networkLinkUp();

class ConnectionProbe {
public:
    using LinkQuery = std::function<bool()>;

    explicit ConnectionProbe(QUrl serviceBase, LinkQuery linkUp = networkLinkUp);

    bool connected() const;

private:
    QUrl m_serviceBase;
    LinkQuery m_linkUp;
};

} // namespace ordalis
