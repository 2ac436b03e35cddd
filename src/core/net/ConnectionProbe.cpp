// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConnectionProbe.h"

#include <QHostAddress>
#include <QNetworkInformation>
#include <QNetworkInterface>

namespace ordalis {
namespace {

bool anyInterfaceUp() {
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        const auto flags = interface.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack) ||
            !flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        if (!interface.addressEntries().isEmpty())
            return true;
    }
    return false;
}

// Loaded once; null when the platform has no backend that knows reachability.
QNetworkInformation* reachabilityBackend() {
    static QNetworkInformation* const backend = [] {
        if (QNetworkInformation::instance() == nullptr)
            QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
        return QNetworkInformation::instance();
    }();
    return backend;
}

} // namespace

bool isLoopbackUrl(const QUrl& url) {
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

bool networkLinkUp() {
    if (QNetworkInformation* backend = reachabilityBackend()) {
        const auto reachability = backend->reachability();
        if (reachability != QNetworkInformation::Reachability::Unknown)
            return reachability != QNetworkInformation::Reachability::Disconnected;
    }
    return anyInterfaceUp();
}

ConnectionProbe::ConnectionProbe(QUrl serviceBase, LinkQuery linkUp)
    : m_serviceBase(std::move(serviceBase))
    , m_linkUp(std::move(linkUp)) {}

bool ConnectionProbe::connected() const {
    return isLoopbackUrl(m_serviceBase) || (m_linkUp && m_linkUp());
}

} // namespace ordalis
