// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Failed credential checks (logins, operation passwords, mp, check codes) counted per account
// and per client address in the database, so that guessing is slowed down for every instance
// sharing the database. Past the limit a subject is refused until its old failures age out.

#include <QSqlDatabase>
#include <QString>

namespace ordalis::service {

class Throttle {
public:
    struct Limits {
        int perAccount = 10;
        int perPeer = 30;
        int windowSeconds = 15 * 60;
    };
    Throttle() = default;
    explicit Throttle(Limits limits)
        : m_limits(limits) {}

    bool blocked(const QSqlDatabase& db, const QString& account, const QString& peer) const;
    void recordFailure(const QSqlDatabase& db, const QString& account, const QString& peer) const;
    // Counts one event (a mailed check code) against a subject; false once the limit is spent.
    bool allowEvent(const QSqlDatabase& db, const QString& subject, int limit) const;
    int windowMinutes() const { return m_limits.windowSeconds / 60; }

private:
    int count(const QSqlDatabase& db, const QString& subject) const;
    Limits m_limits;
};

} // namespace ordalis::service
