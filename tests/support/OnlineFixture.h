// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real score service on a loopback port with one or more registered teachers, and the
// program's side of it: configuration, Session and endpoint catalogue pointed at it.

#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "session/Session.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace ordalis::test {

class ServiceProcess;

class OnlineFixture {
public:
    // serviceArguments: further command-line options of the service.
    explicit OnlineFixture(const QStringList& serviceArguments = {});
    ~OnlineFixture();

    // Starts the service; false (with the reason in error()) when it cannot.
    bool start();
    // Registers a teacher through the service's own registration endpoint.
    bool addTeacher(const QString& user, const QString& loginPassword,
                    const QString& operationPassword);
    // Starts the service with one registered teacher, who is then the session's user.
    bool startAs(const QString& user, const QString& loginPassword,
                 const QString& operationPassword);
    void stopService();

    QString error() const { return m_error; }
    QString baseUrl() const;
    ServiceProcess& process() { return *m_process; }
    ServiceConfig& config() { return m_config; }
    Session& session() { return m_session; }
    ServiceEndpoints& endpoints() { return *m_endpoints; }

private:
    std::unique_ptr<ServiceProcess> m_process;
    ServiceConfig m_config;
    Session m_session;
    std::unique_ptr<ServiceEndpoints> m_endpoints;
    QString m_error;
};

} // namespace ordalis::test
