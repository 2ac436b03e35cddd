// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open connections of the HTTP server: how many per client address and in total, and when
// each began its current request. A watcher thread shuts the socket of a connection whose
// request has not arrived whole within the deadline, however slowly it keeps trickling in.

#include <QHash>
#include <QMutex>
#include <QString>
#include <QWaitCondition>
#include <thread>

namespace ordalis::service {

class ConnectionTable {
public:
    ConnectionTable(int total, int perAddress, int deadlineSeconds);
    ~ConnectionTable();
    ConnectionTable(const ConnectionTable&) = delete;
    ConnectionTable& operator=(const ConnectionTable&) = delete;

    // Whether one more connection from `address` may be accepted.
    bool admits(const QString& address);
    void opened(const void* connection, int socket, const QString& address);
    void closed(const void* connection);
    // The request is in whole: its handling and reply are not held to the deadline.
    void requestReceived(const void* connection);
    // The reply went out: the next request on the connection starts its own deadline.
    void requestDone(const void* connection);

private:
    struct Entry {
        int socket; // our own duplicate, so a shut socket is never a reused descriptor
        QString address;
        qint64 deadlineMs; // 0 while a received request is handled
    };
    void watch();

    const int m_total;
    const int m_perAddress;
    const qint64 m_deadlineMs;
    QMutex m_mutex;
    QWaitCondition m_wake;
    bool m_stopping = false;
    QHash<const void*, Entry> m_entries;
    QHash<QString, int> m_perAddressCount;
    std::thread m_watcher;
};

} // namespace ordalis::service
