// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sendmail-compatible command (such as "/usr/sbin/sendmail -t") that takes one complete
// message on its standard input and finds the recipient in its To header: the way server
// software on this platform sends mail.

#include "text/Refusal.h"

#include <QByteArray>
#include <QString>

namespace ordalis::service {

class MailCommand {
public:
    static constexpr int TimeoutMs = 20000;

    // Run by /bin/sh, so it may carry options and quoting.
    explicit MailCommand(QString command);

    // Pipes the message (line ends as local mail programs expect: LF) and waits for the
    // command; refused with the reason unless it ends with status 0.
    Expected<> deliver(const QByteArray& message) const;
    QString command() const { return m_command; }

private:
    QString m_command;
};

} // namespace ordalis::service
