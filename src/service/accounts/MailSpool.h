// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Outgoing mail kept as one .eml file per message in a spool folder, for a machine without a
// mail server; a mail transfer agent, an administrator or the teacher picks the files up. The
// folder is the owner's alone (0700), each file too (0600).

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace ordalis::service {

class MailSpool {
public:
    explicit MailSpool(QString folder);
    // Writes the message atomically; false when the folder cannot be written.
    bool keep(const QString& account, const QByteArray& message, const QDateTime& at) const;
    QString folder() const { return m_folder; }

private:
    QString m_folder;
};

} // namespace ordalis::service
