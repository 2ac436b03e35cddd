// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Throttle.h"

#include "storage/Sql.h"
#include "storage/Transaction.h"

namespace ordalis::service {

namespace {

constexpr int EventWindowSeconds = 60 * 60;
// Serialises the count-then-insert of every instance on PostgreSQL.
constexpr qint64 ThrottleLockKey = 0x6f7264616c6974; // "ordalit"

} // namespace

Throttle::Throttle(const Database& database, Limits limits, Clock clock)
    : m_database(database)
    , m_limits(limits)
    , m_clock(std::move(clock)) {}

int Throttle::count(const QSqlDatabase& db, const QString& subject, int windowSeconds) const {
    return sqlValue(
               db,
               QStringLiteral("SELECT COUNT(*) FROM failed_attempts WHERE subject = ? AND at > ?"),
               {subject, m_clock.now() - windowSeconds})
        .value_or(0)
        .toInt();
}

qint64 Throttle::insert(const QSqlDatabase& db, const QString& subject, qint64 at) const {
    return sqlValue(db,
                    QStringLiteral(
                        "INSERT INTO failed_attempts (subject, at) VALUES (?, ?) RETURNING id"),
                    {subject, at})
        .value_or(0)
        .toLongLong();
}

void Throttle::lockAcrossInstances(const QSqlDatabase& db) const {
    if (!m_database.isSqlite())
        sqlRun(db, QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {ThrottleLockKey});
}

Throttle::Subjects Throttle::subjects(const QString& account, const QString& peer) {
    return {QStringLiteral("account:%1|%2").arg(account.toLower(), peer),
            QStringLiteral("peer:") + peer};
}

bool Throttle::isSpent(const QSqlDatabase& db, const QString& account, const QString& peer) const {
    const Subjects counted = subjects(account, peer);
    return spent(count(db, counted.accountAndPeer, m_limits.windowSeconds),
                 count(db, counted.peer, m_limits.windowSeconds));
}

qint64 Throttle::generation(const QSqlDatabase& db) const {
    return sqlInteger(db, QStringLiteral("SELECT ") + QLatin1String(GenerationSelect));
}

std::optional<Throttle::Attempt> Throttle::begin(const QSqlDatabase& db, const QString& account,
                                                 const QString& peer) const {
    const Subjects counted = subjects(account, peer);
    Transaction transaction(m_database, db, Transaction::Bookkeeping);
    lockAcrossInstances(db);
    const int accountAndPeerFailures = count(db, counted.accountAndPeer, m_limits.windowSeconds);
    const int peerFailures = count(db, counted.peer, m_limits.windowSeconds);
    if (spent(accountAndPeerFailures, peerFailures))
        return std::nullopt;
    const qint64 at = m_clock.now();
    // Rows older than every window are of no use any more.
    sqlRun(db, QStringLiteral("DELETE FROM failed_attempts WHERE at <= ?"),
           {at - std::max(m_limits.windowSeconds, EventWindowSeconds)});
    // This failure spends the limit: every remembered credential is checked against the
    // throttle again.
    if (spent(accountAndPeerFailures + 1, peerFailures + 1))
        sqlRun(db, QStringLiteral("UPDATE throttle_state SET generation = generation + 1"));
    const Attempt attempt = {insert(db, counted.accountAndPeer, at), insert(db, counted.peer, at)};
    transaction.commit();
    return attempt;
}

void Throttle::succeeded(const QSqlDatabase& db, const Attempt& attempt) const {
    Transaction transaction(m_database, db, Transaction::Bookkeeping);
    for (qint64 id : attempt)
        sqlRun(db, QStringLiteral("DELETE FROM failed_attempts WHERE id = ?"), {id});
    transaction.commit();
}

void Throttle::forgive(const QSqlDatabase& db, const Attempt& attempt) const noexcept {
    try {
        succeeded(db, attempt);
    } catch (const DatabaseError&) {
        // The database is what failed: the count stays, as it cannot be taken back now.
    }
}

bool Throttle::allowEvents(const QSqlDatabase& db,
                           const QList<QPair<QString, int>>& subjectLimits) const {
    Transaction transaction(m_database, db, Transaction::Bookkeeping);
    lockAcrossInstances(db);
    for (const auto& [subject, limit] : subjectLimits)
        if (count(db, subject, EventWindowSeconds) >= limit)
            return false;
    const qint64 at = m_clock.now();
    for (const auto& subjectLimit : subjectLimits)
        insert(db, subjectLimit.first, at);
    transaction.commit();
    return true;
}

} // namespace ordalis::service
