// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Outgoing mail written as one RFC 5322 file per message into a spool folder, for a machine
// without a mail server; a mail transfer agent or an administrator picks the files up.

#include <QString>

namespace ordalis::service {

class MailSpool {
public:
    explicit MailSpool(QString folder);
    // Writes the message atomically; false when the folder cannot be written.
    bool send(const QString& account, const QString& to, const QString& subject,
              const QString& body) const;
    QString folder() const { return m_folder; }

private:
    QString m_folder;
};

} // namespace ordalis::service
