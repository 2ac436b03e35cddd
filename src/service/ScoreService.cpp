// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScoreService.h"

#include "accounts/DemoAccount.h"
#include "http/HttpServer.h"
#include "protocol/Protocol.h"

#include <QDir>
#include <QStandardPaths>

namespace ordalis {

using namespace service;

struct ScoreService::Running {
    explicit Running(const QString& database, const ServiceOptions& options)
        : database(database)
        , protocol(this->database, options)
        , http([this](const Request& request) { return protocol.handle(request); }) {}
    ~Running() {
        http.stop(); // no request may run while the connections go
        database.closeAll();
    }
    Database database;
    Protocol protocol;
    HttpServer http;
};

ScoreService::ScoreService() = default;

ScoreService::~ScoreService() {
    stop();
}

void ScoreService::setMail(const MailSettings& mail) {
    m_mail = mail;
}

bool ScoreService::start(const QString& database, const QString& listen, QString* error) {
    stop();
    ServiceOptions options;
    options.mailSpool = m_mail.spool;
    options.mailCommand = m_mail.command;
    options.mailSender = m_mail.sender;
    if (options.mailSpool.isEmpty())
        options.mailSpool =
            Database::isSqliteLocation(database)
                ? QDir::cleanPath(QDir::current().absoluteFilePath(database)) +
                      QStringLiteral(".mail")
                : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                      QStringLiteral("/mail");
    auto running = std::make_unique<Running>(database, options);
    if (!running->database.open(error))
        return false;
    if (!running->http.start(listen, error))
        return false;
    m_running = std::move(running);
    return true;
}

quint16 ScoreService::port() const {
    return m_running ? m_running->http.port() : 0;
}

QString ScoreService::baseUrl() const {
    return m_running ? QStringLiteral("http://%1:%2")
                           .arg(m_running->http.host())
                           .arg(m_running->http.port())
                     : QString();
}

void ScoreService::stop() {
    m_running.reset();
}

bool ScoreService::createDemoAccount() {
    return m_running && service::createDemoAccount(m_running->protocol);
}

} // namespace ordalis
