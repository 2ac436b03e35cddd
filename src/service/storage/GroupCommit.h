// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// On SQLite, which writes one transaction at a time, changes that arrive while another is being
// written share one transaction and one commit, so that concurrent clients pay for one disk
// sync instead of one each. Every change of a group runs in a savepoint of its own: a refused
// or failed change is rolled back alone, and each caller learns only after the commit whether
// its change is kept. On PostgreSQL each change runs in a transaction of its own, side by side with
// the others (the server flushes concurrent commits together).

#include "storage/Database.h"
#include "text/Refusal.h"

#include <QMutex>
#include <QWaitCondition>
#include <deque>
#include <functional>
#include <string>

namespace ordalis::service {

class GroupCommit {
public:
    // Runs on the connection of the thread that writes the group; made, or refused. A
    // DatabaseError fails the change alone.
    using Change = std::function<Expected<>(const QSqlDatabase& db)>;
    enum class Outcome { Committed, Refused, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        Refusal refusal;     // of a change refused
        std::string failure; // what failed, for the log
    };

    // `written` is told how many changes each commit wrote.
    using Observer = std::function<void(std::size_t changes)>;
    explicit GroupCommit(Database& database, Observer written = {});
    // Blocks until the change is committed, refused or failed. `db` is this thread's
    // connection, used if this thread writes the group.
    Result run(const QSqlDatabase& db, const Change& change);

private:
    struct Job {
        const Change* change;
        Result result;
        bool done = false;
    };
    void write(const QSqlDatabase& db, const std::deque<Job*>& group);

    Database& m_database;
    Observer m_written;
    QMutex m_mutex;
    QWaitCondition m_finished;
    std::deque<Job*> m_waiting;
    bool m_writing = false;
};

} // namespace ordalis::service
