// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Credential checks (logins, operation passwords, mp, check codes) and costly events
// (registrations, mailed codes) counted in the database, so that every instance sharing it
// counts together. A check is counted as failed before it runs and forgiven when it succeeds
// or when a storage error cuts it short: parallel guesses are counted all the same, and a
// failure of the database is never taken for a wrong password. The counts are written without
// waiting for the disk: losing one in a power cut is harmless, and no anonymous request can
// make the service sync.

#include "storage/Clock.h"
#include "storage/Database.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace ordalis::service {

class Throttle {
public:
    struct Limits {
        // Failures of one account from one client address: a guesser elsewhere cannot lock
        // the teacher out.
        int perAccountAndPeer = 10;
        int perPeer = 30; // failures of one client address over all accounts
        int windowSeconds = 15 * 60;
        // Per hour:
        int registrationsPerPeer = 20;
        int codeMailsPerPeer = 20;
        int codeMailsPerAccount = 5;
        int codeMailsPerEmail = 5;
    };
    // The failure rows of one check, removed again when it succeeds.
    using Attempt = QList<qint64>;

    Throttle(const Database& database, Limits limits, Clock clock);

    // Counts a check of `account` from `peer` as failed; nullopt when the limit is spent and
    // the check must not run.
    std::optional<Attempt> begin(const QSqlDatabase& db, const QString& account,
                                 const QString& peer) const;
    // Whether the limit of `account` from `peer` is spent: a check must not run, whether the
    // credential is remembered or not.
    bool isSpent(const QSqlDatabase& db, const QString& account, const QString& peer) const;
    // Grows each time some failure spends a limit: a client found unspent at one generation
    // is still unspent while it holds. Read in a statement of the caller's, or by
    // generation().
    static constexpr const char* GenerationSelect = "(SELECT generation FROM throttle_state)";
    qint64 generation(const QSqlDatabase& db) const;
    void succeeded(const QSqlDatabase& db, const Attempt& attempt) const;
    // Runs the counted check. An exception that cuts it short (a storage error, no free
    // hashing slot) forgives the attempt before it goes on: it is no wrong answer.
    template <typename Check>
    auto judge(const QSqlDatabase& db, const Attempt& attempt, Check&& check) const {
        try {
            return check();
        } catch (...) {
            forgive(db, attempt);
            throw;
        }
    }

    // Counts one event against each subject for an hour; false, counting nothing, once any
    // subject has spent its limit.
    bool allowEvents(const QSqlDatabase& db, const QList<QPair<QString, int>>& subjectLimits) const;

    const Limits& limits() const { return m_limits; }
    int windowMinutes() const { return m_limits.windowSeconds / 60; }

private:
    void forgive(const QSqlDatabase& db, const Attempt& attempt) const noexcept;
    int count(const QSqlDatabase& db, const QString& subject, int windowSeconds) const;
    qint64 insert(const QSqlDatabase& db, const QString& subject, qint64 at) const;
    void lockAcrossInstances(const QSqlDatabase& db) const;
    struct Subjects {
        QString accountAndPeer;
        QString peer;
    };
    static Subjects subjects(const QString& account, const QString& peer);
    bool spent(int accountAndPeerFailures, int peerFailures) const {
        return accountAndPeerFailures >= m_limits.perAccountAndPeer ||
               peerFailures >= m_limits.perPeer;
    }

    const Database& m_database;
    Limits m_limits;
    Clock m_clock;
};

} // namespace ordalis::service
