// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program finds its score service, the maker's site and the web console, and how
// long it waits for them. Read from ordalis.ini in the per-user config folder, overridden by
// command-line options. An empty service address means the service embedded in the program:
// the program starts it and then tells the configuration its address. A school whose service
// has a certificate of the school's own authority names that authority's certificate file.

#include "text/Refusal.h"

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <chrono>

class QSettings;

namespace ordalis {

class ServiceConfig {
public:
    static constexpr std::chrono::milliseconds DefaultTimeout{30000};

    // The per-user configuration file: QSettings(IniFormat, UserScope, "Ordalis", "ordalis").
    static ServiceConfig fromUserSettings();
    // Keys service/base, service/makerSite, service/webConsole, service/timeoutSeconds,
    // service/ca-certificates.
    static ServiceConfig fromSettings(const QSettings& settings);

    // Applies --service-base URL, --maker-site URL, --web-console URL, --timeout SECONDS and
    // --ca-certificates FILE (also written --option=value); other arguments are left to their
    // owners. A missing or unusable value is refused, and nothing is changed.
    Expected<> applyArguments(const QStringList& arguments);

    // Reads the certificates of the file named by ca-certificates, trusted besides the
    // system's. Refused, with the reason in Chinese and none trusted, when the file is
    // missing, unreadable or holds no certificate in PEM or DER.
    Expected<> loadCaCertificates();
    QString caCertificatesFile() const { return m_caFile; }
    const QList<QSslCertificate>& caCertificates() const { return m_caCertificates; }

    // True while no service address is configured: the program then starts its embedded
    // service and gives its address to setServiceBase().
    bool usesEmbeddedService() const { return m_serviceBase.isEmpty(); }

    // Without trailing "/". The maker's site and the web console default to the service,
    // which serves their pages too.
    QString serviceBase() const { return m_serviceBase; }
    QString makerSite() const;
    QString webConsoleAddress() const;
    std::chrono::milliseconds timeout() const { return m_timeout; }

    void setServiceBase(const QString& url);
    void setMakerSite(const QString& url);
    void setWebConsoleAddress(const QString& url);
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

private:
    QString m_serviceBase;
    QString m_makerSite;
    QString m_webConsole;
    std::chrono::milliseconds m_timeout = DefaultTimeout;
    QString m_caFile;
    QList<QSslCertificate> m_caCertificates;
};

} // namespace ordalis
