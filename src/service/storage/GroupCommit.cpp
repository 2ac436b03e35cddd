// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/GroupCommit.h"

#include "storage/Sql.h"
#include "storage/Transaction.h"

namespace ordalis::service {

namespace {

// Bounds how long the first change of a group waits for the last.
constexpr std::size_t MaxGroupSize = 64;

} // namespace

GroupCommit::GroupCommit(Database& database, Observer written)
    : m_database(database)
    , m_written(std::move(written)) {}

GroupCommit::Result GroupCommit::run(const QSqlDatabase& db, const Change& change) {
    Job job{&change, {}};
    if (!m_database.isSqlite()) {
        // A database server runs transactions side by side and flushes concurrent commits
        // together by itself: each change has a transaction of its own.
        write(db, {&job});
        return job.result;
    }
    QMutexLocker lock(&m_mutex);
    m_waiting.push_back(&job);
    while (!job.done) {
        if (m_writing) {
            m_finished.wait(&m_mutex);
            continue;
        }
        // No group is being written: this thread writes the changes waiting now, its own
        // among them.
        m_writing = true;
        std::deque<Job*> group;
        while (!m_waiting.empty() && group.size() < MaxGroupSize) {
            group.push_back(m_waiting.front());
            m_waiting.pop_front();
        }
        lock.unlock();
        write(db, group);
        lock.relock();
        for (Job* written : group)
            written->done = true;
        m_writing = false;
        m_finished.wakeAll();
    }
    return job.result;
}

void GroupCommit::write(const QSqlDatabase& db, const std::deque<Job*>& group) {
    auto failAll = [&group](const DatabaseError& error) {
        for (Job* job : group)
            if (job->result.outcome != Outcome::Refused)
                job->result = {Outcome::Failed, {}, error.what()};
    };
    // A change alone needs no savepoint: refused or failed, it is simply not committed.
    const bool alone = group.size() == 1;
    try {
        Transaction transaction(m_database, db);
        bool kept = false;
        for (Job* job : group) {
            try {
                if (!alone)
                    sqlControl(db, QStringLiteral("SAVEPOINT change"));
                const Expected<> made = (*job->change)(db);
                if (made) {
                    if (!alone)
                        sqlControl(db, QStringLiteral("RELEASE SAVEPOINT change"));
                    job->result = {Outcome::Committed, {}, {}};
                    kept = true;
                    continue;
                }
                job->result = {Outcome::Refused, made.refusal(), {}};
            } catch (const DatabaseError& error) {
                job->result = {Outcome::Failed, {}, error.what()};
            }
            // The transaction itself may be what broke: then nothing of the group is kept.
            if (!alone) {
                sqlControl(db, QStringLiteral("ROLLBACK TO SAVEPOINT change"));
                sqlControl(db, QStringLiteral("RELEASE SAVEPOINT change"));
            }
        }
        if (!kept)
            return; // rolled back as the transaction ends
        transaction.commit();
        if (m_written)
            m_written(group.size());
    } catch (const DatabaseError& error) {
        failAll(error);
    }
}

} // namespace ordalis::service
