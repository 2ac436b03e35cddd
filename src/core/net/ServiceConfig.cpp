// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceConfig.h"

#include <QFile>
#include <QSettings>
#include <QUrl>
#include <cmath>
#include <optional>

namespace ordalis {

namespace {

QString withoutTrailingSlash(QString url) {
    url = url.trimmed();
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

bool isHttpAddress(const QString& url) {
    const QUrl parsed(url, QUrl::StrictMode);
    return parsed.isValid() && !parsed.host().isEmpty() &&
           (parsed.scheme() == QLatin1String("http") || parsed.scheme() == QLatin1String("https"));
}

std::optional<std::chrono::milliseconds> timeoutFromSeconds(const QString& text) {
    bool ok = false;
    const double seconds = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds <= 0 || seconds > 24 * 3600)
        return std::nullopt;
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

} // namespace

ServiceConfig ServiceConfig::fromUserSettings() {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Ordalis"),
                             QStringLiteral("ordalis"));
    return fromSettings(settings);
}

ServiceConfig ServiceConfig::fromSettings(const QSettings& settings) {
    ServiceConfig config;
    config.setServiceBase(settings.value(QStringLiteral("service/base")).toString());
    config.setMakerSite(settings.value(QStringLiteral("service/makerSite")).toString());
    config.setWebConsoleAddress(settings.value(QStringLiteral("service/webConsole")).toString());
    config.m_caFile =
        settings.value(QStringLiteral("service/ca-certificates")).toString().trimmed();
    // A broken timeout in the file keeps the default rather than waiting forever or never.
    if (const auto timeout =
            timeoutFromSeconds(settings.value(QStringLiteral("service/timeoutSeconds")).toString()))
        config.setTimeout(*timeout);
    return config;
}

Expected<> ServiceConfig::applyArguments(const QStringList& arguments) {
    ServiceConfig changed = *this;
    for (int i = 0; i < arguments.size(); ++i) {
        QString option = arguments[i];
        QString value;
        const int equals = option.indexOf(QLatin1Char('='));
        if (option.startsWith(QLatin1String("--")) && equals > 0) {
            value = option.mid(equals + 1);
            option.truncate(equals);
        } else if (option == QLatin1String("--service-base") ||
                   option == QLatin1String("--maker-site") ||
                   option == QLatin1String("--web-console") ||
                   option == QLatin1String("--timeout") ||
                   option == QLatin1String("--ca-certificates")) {
            if (i + 1 >= arguments.size())
                return refusal(QStringLiteral("%1 needs a value").arg(option));
            value = arguments[++i];
        } else {
            continue;
        }

        if (option == QLatin1String("--timeout")) {
            const auto timeout = timeoutFromSeconds(value);
            if (!timeout)
                return refusal(QStringLiteral("--timeout needs a number of seconds above 0"));
            changed.setTimeout(*timeout);
            continue;
        }
        if (option == QLatin1String("--ca-certificates")) {
            if (value.trimmed().isEmpty())
                return refusal(QStringLiteral("--ca-certificates needs a file"));
            changed.m_caFile = value;
            continue;
        }
        void (ServiceConfig::*setter)(const QString&) = nullptr;
        if (option == QLatin1String("--service-base"))
            setter = &ServiceConfig::setServiceBase;
        else if (option == QLatin1String("--maker-site"))
            setter = &ServiceConfig::setMakerSite;
        else if (option == QLatin1String("--web-console"))
            setter = &ServiceConfig::setWebConsoleAddress;
        else
            continue;
        if (!isHttpAddress(value))
            return refusal(QStringLiteral("%1 needs an http:// or https:// address").arg(option));
        (changed.*setter)(value);
    }
    *this = changed;
    return {};
}

Expected<> ServiceConfig::loadCaCertificates() {
    m_caCertificates.clear();
    if (m_caFile.isEmpty())
        return {};
    QFile file(m_caFile);
    QString reason;
    if (!file.exists()) {
        reason = QStringLiteral("文件不存在");
    } else if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("无法读取（%1）").arg(file.errorString());
    } else {
        const QByteArray content = file.readAll();
        m_caCertificates = QSslCertificate::fromData(content, QSsl::Pem);
        if (m_caCertificates.isEmpty())
            m_caCertificates = QSslCertificate::fromData(content, QSsl::Der);
        if (m_caCertificates.isEmpty())
            reason = QStringLiteral("其中没有 PEM 或 DER 格式的证书");
    }
    if (reason.isEmpty())
        return {};
    return refusal(QStringLiteral("无法使用证书文件 %1：%2。程序只信任系统的证书，学校的服务器可能"
                                  "无法连接。")
                       .arg(m_caFile, reason));
}

QString ServiceConfig::makerSite() const {
    return m_makerSite.isEmpty() ? m_serviceBase : m_makerSite;
}

QString ServiceConfig::webConsoleAddress() const {
    return m_webConsole.isEmpty() ? m_serviceBase : m_webConsole;
}

void ServiceConfig::setServiceBase(const QString& url) {
    m_serviceBase = withoutTrailingSlash(url);
}

void ServiceConfig::setMakerSite(const QString& url) {
    m_makerSite = withoutTrailingSlash(url);
}

void ServiceConfig::setWebConsoleAddress(const QString& url) {
    m_webConsole = withoutTrailingSlash(url);
}

} // namespace ordalis
