// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/Outbox.h"

#include "accounts/MailMessage.h"

#include <QtDebug>

namespace ordalis::service {

namespace {

// Mails waiting for the command beyond this go to the spool at once.
constexpr std::size_t MaxQueued = 200;

} // namespace

Outbox::Outbox(QString spoolFolder, const QString& command, const QString& sender)
    : m_spool(std::move(spoolFolder))
    , m_sender(sender.trimmed().isEmpty() ? DefaultMailSender : sender) {
    if (!command.trimmed().isEmpty()) {
        m_command.emplace(command);
        m_worker = std::thread([this] { deliverQueued(); });
    }
}

Outbox::~Outbox() {
    if (!m_worker.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_worker.join();
    for (const Mail& mail : m_queue)
        m_spool.keep(mail.account, mail.message, mail.at);
}

bool Outbox::send(const QString& account, const QString& to, const QString& subject,
                  const QString& body) {
    Mail mail{account, {}, QDateTime::currentDateTime()};
    mail.message = composeMail(m_sender, to, subject, body, mail.at);
    if (m_command) {
        std::unique_lock lock(m_mutex);
        if (m_queue.size() < MaxQueued) {
            m_queue.push_back(std::move(mail));
            lock.unlock();
            m_changed.notify_all();
            return true;
        }
        lock.unlock();
        qWarning("ordalis-service: too many mails wait for the mail command; the mail for "
                 "account %s is kept in %s",
                 qUtf8Printable(account), qUtf8Printable(m_spool.folder()));
    }
    return m_spool.keep(mail.account, mail.message, mail.at);
}

void Outbox::flush() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.empty() && !m_busy; });
}

void Outbox::deliverQueued() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        const Mail mail = std::move(m_queue.front());
        m_queue.pop_front();
        m_busy = true;
        lock.unlock();
        deliver(mail);
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

void Outbox::deliver(const Mail& mail) const {
    const Expected<> delivered = m_command->deliver(mail.message);
    if (delivered)
        return;
    qWarning("ordalis-service: the mail command \"%s\" failed for account %s (%s); the "
             "mail is kept in %s",
             qUtf8Printable(m_command->command()), qUtf8Printable(mail.account),
             qUtf8Printable(delivered.why()), qUtf8Printable(m_spool.folder()));
    if (!m_spool.keep(mail.account, mail.message, mail.at))
        qWarning("ordalis-service: the mail for account %s could not be kept in %s",
                 qUtf8Printable(mail.account), qUtf8Printable(m_spool.folder()));
}

} // namespace ordalis::service
