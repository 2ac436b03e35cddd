// SPDX-License-Identifier: GPL-3.0-or-later
#include "OnlineFixture.h"

#include "ServiceProcess.h"
#include "text/WireText.h"

#include <chrono>

namespace ordalis::test {

OnlineFixture::OnlineFixture(const QStringList& serviceArguments)
    : m_process(std::make_unique<ServiceProcess>(serviceArguments))
    , m_endpoints(std::make_unique<ServiceEndpoints>(m_config, m_session)) {
    // A test that breaks the service must not wait half a minute for each request.
    m_config.setTimeout(std::chrono::seconds(5));
}

OnlineFixture::~OnlineFixture() = default;

bool OnlineFixture::start() {
    if (!m_process->start()) {
        m_error = QStringLiteral("the score service did not start");
        return false;
    }
    m_config.setServiceBase(m_process->baseUrl());
    m_config.setMakerSite(m_process->baseUrl());
    return true;
}

bool OnlineFixture::addTeacher(const QString& user, const QString& loginPassword,
                               const QString& operationPassword) {
    if (m_process->registerTeacher(user, loginPassword, operationPassword))
        return true;
    m_error = QStringLiteral("registering %1 failed").arg(user);
    return false;
}

bool OnlineFixture::startAs(const QString& user, const QString& loginPassword,
                            const QString& operationPassword) {
    if (!start() || !addTeacher(user, loginPassword, operationPassword))
        return false;
    m_session.userName = user;
    m_session.mp = md5Hex(loginPassword);
    return true;
}

void OnlineFixture::stopService() {
    m_process->stop();
}

QString OnlineFixture::baseUrl() const {
    return m_process->baseUrl();
}

} // namespace ordalis::test
