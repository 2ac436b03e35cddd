// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/ConnectionTable.h"

#include <QDateTime>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ordalis::service {

namespace {

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

ConnectionTable::ConnectionTable(int total, int perAddress, int deadlineSeconds)
    : m_total(total)
    , m_perAddress(perAddress)
    , m_deadlineMs(qint64(deadlineSeconds) * 1000)
    , m_watcher([this] { watch(); }) {}

ConnectionTable::~ConnectionTable() {
    {
        QMutexLocker lock(&m_mutex);
        m_stopping = true;
        m_wake.wakeAll();
    }
    m_watcher.join();
    for (const Entry& entry : std::as_const(m_entries))
        ::close(entry.socket);
}

bool ConnectionTable::admits(const QString& address, bool trustedProxy) {
    QMutexLocker lock(&m_mutex);
    return m_entries.size() < m_total &&
           (trustedProxy || m_perAddressCount.value(address) < m_perAddress);
}

void ConnectionTable::opened(const void* connection, int socket, const QString& address,
                             bool trustedProxy) {
    const int duplicate = ::fcntl(socket, F_DUPFD_CLOEXEC, 0);
    QMutexLocker lock(&m_mutex);
    const QString counted = trustedProxy ? QString() : address;
    m_entries.insert(connection, {duplicate, counted, nowMs() + m_deadlineMs, {}});
    if (!counted.isEmpty())
        ++m_perAddressCount[counted];
}

bool ConnectionTable::admitsForwarded(const void* connection, const QString& client) {
    QMutexLocker lock(&m_mutex);
    const auto entry = m_entries.find(connection);
    if (entry == m_entries.end())
        return true;
    release(&entry->forwarded);
    int& count = m_perAddressCount[client];
    if (count >= m_perAddress)
        return false;
    ++count;
    entry->forwarded = client;
    return true;
}

qsizetype ConnectionTable::open() const {
    QMutexLocker lock(&m_mutex);
    return m_entries.size();
}

void ConnectionTable::release(QString* address) {
    if (address->isEmpty())
        return;
    if (--m_perAddressCount[*address] <= 0)
        m_perAddressCount.remove(*address);
    address->clear();
}

void ConnectionTable::closed(const void* connection) {
    QMutexLocker lock(&m_mutex);
    const auto entry = m_entries.constFind(connection);
    if (entry == m_entries.cend())
        return;
    if (entry->socket >= 0)
        ::close(entry->socket);
    Entry gone = *entry;
    m_entries.erase(entry);
    release(&gone.address);
    release(&gone.forwarded);
}

void ConnectionTable::requestReceived(const void* connection) {
    QMutexLocker lock(&m_mutex);
    if (const auto entry = m_entries.find(connection); entry != m_entries.end())
        entry->deadlineMs = 0;
}

void ConnectionTable::requestDone(const void* connection) {
    QMutexLocker lock(&m_mutex);
    if (const auto entry = m_entries.find(connection); entry != m_entries.end()) {
        entry->deadlineMs = nowMs() + m_deadlineMs;
        release(&entry->forwarded);
    }
}

void ConnectionTable::watch() {
    const unsigned long interval = ulong(std::clamp<qint64>(m_deadlineMs / 4, 50, 1000));
    QMutexLocker lock(&m_mutex);
    while (!m_stopping) {
        m_wake.wait(&m_mutex, interval);
        const qint64 now = nowMs();
        for (Entry& entry : m_entries) {
            if (entry.deadlineMs != 0 && entry.deadlineMs < now && entry.socket >= 0) {
                // The server sees the connection end and closes it as its own.
                ::shutdown(entry.socket, SHUT_RDWR);
                entry.deadlineMs = 0;
            }
        }
    }
}

} // namespace ordalis::service
