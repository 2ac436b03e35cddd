// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open connections of the HTTP server: how many per client address and in total, and when
// each began its current request. A connection from a trusted proxy carries the requests of
// many clients one after the other: it counts in the total only, and each of its requests
// counts against the limit of the client it speaks for while it runs. A watcher thread shuts the
// socket of a connection whose request has not arrived whole within the deadline, however slowly it
// keeps trickling in.

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

    // Whether one more connection from `address` may be accepted; a trusted proxy's connection
    // is bound by the total only.
    bool admits(const QString& address, bool trustedProxy);
    void opened(const void* connection, int socket, const QString& address, bool trustedProxy);
    void closed(const void* connection);
    // A request on a trusted proxy's connection speaks for `client`: it counts against that
    // client's limit until its reply is out. False, counting nothing, when the client holds
    // its limit already.
    bool admitsForwarded(const void* connection, const QString& client);
    qsizetype open() const;
    // The request is in whole: its handling and reply are not held to the deadline.
    void requestReceived(const void* connection);
    // The reply went out: the next request on the connection starts its own deadline.
    void requestDone(const void* connection);

private:
    struct Entry {
        int socket;        // our own duplicate, so a shut socket is never a reused descriptor
        QString address;   // counted per address; empty for a trusted proxy
        qint64 deadlineMs; // 0 while a received request is handled
        QString forwarded; // the client of a trusted proxy's running request
    };
    void watch();
    void release(QString* address); // under m_mutex

    const int m_total;
    const int m_perAddress;
    const qint64 m_deadlineMs;
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    bool m_stopping = false;
    QHash<const void*, Entry> m_entries;
    QHash<QString, int> m_perAddressCount;
    std::thread m_watcher;
};

} // namespace ordalis::service
