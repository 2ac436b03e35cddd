// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Throttle.h"

#include "storage/Sql.h"

#include <QDateTime>

namespace ordalis::service {

namespace {

qint64 now() {
    return QDateTime::currentSecsSinceEpoch();
}

QString accountSubject(const QString& account) {
    return QStringLiteral("account:") + account.toLower();
}

QString peerSubject(const QString& peer) {
    return QStringLiteral("peer:") + peer;
}

} // namespace

int Throttle::count(const QSqlDatabase& db, const QString& subject) const {
    return sqlValue(
               db,
               QStringLiteral("SELECT COUNT(*) FROM failed_attempts WHERE subject = ? AND at > ?"),
               {subject, now() - m_limits.windowSeconds})
        .value_or(0)
        .toInt();
}

bool Throttle::blocked(const QSqlDatabase& db, const QString& account, const QString& peer) const {
    return count(db, accountSubject(account)) >= m_limits.perAccount ||
           count(db, peerSubject(peer)) >= m_limits.perPeer;
}

void Throttle::recordFailure(const QSqlDatabase& db, const QString& account,
                             const QString& peer) const {
    const qint64 at = now();
    sqlRun(db, QStringLiteral("DELETE FROM failed_attempts WHERE at <= ?"),
           {at - m_limits.windowSeconds});
    const QString insert =
        QStringLiteral("INSERT INTO failed_attempts (subject, at) VALUES (?, ?)");
    sqlRun(db, insert, {accountSubject(account), at});
    sqlRun(db, insert, {peerSubject(peer), at});
}

bool Throttle::allowEvent(const QSqlDatabase& db, const QString& subject, int limit) const {
    if (count(db, subject) >= limit)
        return false;
    sqlRun(db, QStringLiteral("INSERT INTO failed_attempts (subject, at) VALUES (?, ?)"),
           {subject, now()});
    return true;
}

} // namespace ordalis::service
