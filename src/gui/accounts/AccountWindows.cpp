// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccountWindows.h"

#include "accounts/PasswordResetWindow.h"
#include "accounts/RegistrationWindow.h"
#include "common/WindowPlace.h"

#include <QWidget>

namespace ordalis {

namespace {

void bringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

AccountWindows::AccountWindows(QWidget& login, ServiceEndpoints& service,
                               const QString& localMailFolder, QObject* parent)
    : QObject(parent)
    , m_login(login)
    , m_service(service)
    , m_localMailFolder(localMailFolder) {}

AccountWindows::~AccountWindows() = default;

void AccountWindows::openRegistration() {
    if (!m_registration) {
        m_registration = std::make_unique<RegistrationWindow>(m_service);
        connect(m_registration.get(), &RegistrationWindow::registered, this,
                [this](const QString& account) {
                    Q_EMIT registered(account);
                    backToLogin();
                });
        connect(m_registration.get(), &RegistrationWindow::returned, this,
                &AccountWindows::backToLogin);
    }
    placeOver(m_registration.get(), &m_login);
    m_login.hide();
    bringUp(m_registration.get());
}

void AccountWindows::openPasswordReset() {
    if (!m_passwordReset) {
        m_passwordReset = std::make_unique<PasswordResetWindow>(m_service);
        m_passwordReset->setLocalMailFolder(m_localMailFolder);
        connect(m_passwordReset.get(), &PasswordResetWindow::returned, this,
                &AccountWindows::backToLogin);
    }
    placeOver(m_passwordReset.get(), &m_login);
    bringUp(m_passwordReset.get());
    m_login.hide();
}

void AccountWindows::backToLogin() {
    bringUp(&m_login);
}

} // namespace ordalis
