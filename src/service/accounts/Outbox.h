// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the service's mail goes: to the mail command when one is set, otherwise into the
// spool folder. A mail the command fails to take is logged and kept in the spool, so it is
// never lost and the teacher's request is answered as usual.

#include "accounts/MailCommand.h"
#include "accounts/MailSpool.h"

#include <optional>

namespace ordalis::service {

class Outbox {
public:
    // An empty command keeps every mail in the spool; an empty sender is the default one.
    Outbox(QString spoolFolder, const QString& command, const QString& sender);

    // False only when the mail could be neither handed over nor kept.
    bool send(const QString& account, const QString& to, const QString& subject,
              const QString& body) const;

private:
    MailSpool m_spool;
    std::optional<MailCommand> m_command;
    QString m_sender;
};

} // namespace ordalis::service
