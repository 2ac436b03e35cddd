// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One transaction on a connection; rolled back unless committed. SQLite writers of this process
// queue on a mutex (in arrival order, without the busy handler's sleeps) and then take the
// file's write lock at the start, so no writer fails mid-way. A reading transaction gives
// several statements one consistent snapshot (REPEATABLE READ on PostgreSQL, where the default
// level would give each statement its own).

#include "storage/Database.h"

#include <QSqlDatabase>
#include <mutex>

namespace ordalis::service {

class Transaction {
public:
    enum Mode {
        Write,
        Read,
        // A write whose loss in a power cut is harmless (counted failures): committed without
        // waiting for the disk, so that no anonymous request can make the service sync.
        Bookkeeping,
    };
    // Throws DatabaseError when the transaction cannot begin.
    Transaction(const Database& database, QSqlDatabase db, Mode mode = Write);
    ~Transaction();
    // Throws DatabaseError when the commit fails; nothing of the transaction is kept then,
    // unless the connection broke before its answer came, when it may have been kept.
    void commit();
    // How many COMMITs of changes this thread has sent, answered or not: on a database server,
    // where each change commits on its request's thread, a request during which the count
    // stayed the same changed nothing and may run again.
    static quint64 changeCommitsSent();

private:
    // Ends the transaction, rolled back first if `rollBack`, and lets the writers go.
    void end(bool rollBack);

    const Database& m_database;
    std::unique_lock<std::mutex> m_writer;
    QSqlDatabase m_db;
    Mode m_mode;
    bool m_open = false;
    bool m_relaxed = false; // SQLite: synchronous is off for this transaction
};

} // namespace ordalis::service
