// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the service's mail goes: to the mail command when one is set, otherwise into the
// spool folder. The command runs on a thread of the outbox, from a queue, so that no request
// waits for it; a mail the command fails to take is logged and kept in the spool, so it is
// never lost and the teacher's request is answered as usual.

#include "accounts/MailCommand.h"
#include "accounts/MailSpool.h"

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace ordalis::service {

class Outbox {
public:
    // An empty command keeps every mail in the spool; an empty sender is the default one.
    Outbox(QString spoolFolder, const QString& command, const QString& sender);
    // Mails still queued go to the spool.
    ~Outbox();
    Outbox(const Outbox&) = delete;
    Outbox& operator=(const Outbox&) = delete;

    // Keeps the mail in the spool, or queues it for the command; false only when it could be
    // neither queued nor kept.
    bool send(const QString& account, const QString& to, const QString& subject,
              const QString& body);
    // Waits until every queued mail is handed over or kept.
    void flush();

private:
    struct Mail {
        QString account;
        QByteArray message;
        QDateTime at;
    };
    void deliverQueued();
    void deliver(const Mail& mail) const;

    MailSpool m_spool;
    std::optional<MailCommand> m_command;
    QString m_sender;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Mail> m_queue;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_worker;
};

} // namespace ordalis::service
