// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/Outbox.h"

#include "accounts/MailMessage.h"

#include <QtDebug>

namespace ordalis::service {

Outbox::Outbox(QString spoolFolder, const QString& command, const QString& sender)
    : m_spool(std::move(spoolFolder))
    , m_sender(sender.trimmed().isEmpty() ? DefaultMailSender : sender) {
    if (!command.trimmed().isEmpty())
        m_command.emplace(command);
}

bool Outbox::send(const QString& account, const QString& to, const QString& subject,
                  const QString& body) const {
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray message = composeMail(m_sender, to, subject, body, now);
    if (m_command) {
        QString problem;
        if (m_command->deliver(message, &problem))
            return true;
        qWarning("ordalis-service: the mail command \"%s\" failed for account %s (%s); the "
                 "mail is kept in %s",
                 qUtf8Printable(m_command->command()), qUtf8Printable(account),
                 qUtf8Printable(problem), qUtf8Printable(m_spool.folder()));
    }
    return m_spool.keep(account, message, now);
}

} // namespace ordalis::service
