// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>
#include <optional>

namespace ordalis::service {

// A verified credential is remembered for a few minutes so that the slow hash runs once per
// credential, not once per request. Entries are keyed by a keyed BLAKE2b digest of
// (kind, account, secret) with a random key of this process: the clear secret is never held.
// Each entry keeps the stored hash it was verified against and the database's change stamp
// at which that hash was last seen stored, with the client address whose failed checks were
// counted then; while the stamp holds and the address is the same nothing can have changed,
// and otherwise the caller looks at the stored hash and the address's throttle again, so a
// password changed through any instance ends the entry at once and a throttled address is
// refused whatever it knows.
class CredentialCache {
public:
    enum class Kind : char { Login = 'l', Operation = 'o', Mp = 'm' };
    struct Verified {
        qint64 teacherId;
        QString storedHash;
        quint64 stamp; // Database::changeStamp when the hash was seen stored
        QString peer;  // and the client address whose throttle was seen unspent then,
        qint64 throttleGeneration = -1; // at this generation (Throttle::generation)
    };
    // Names one credential without holding its secret.
    using Key = QByteArray;

    explicit CredentialCache(int lifetimeSeconds = 300);
    Key key(Kind kind, const QString& account, const QString& secret) const;
    std::optional<Verified> find(const Key& key);
    void remember(const Key& key, const Verified& verified);
    // The stored hash was seen unchanged at `stamp`, with the throttle of `peer` unspent at
    // `throttleGeneration`.
    void confirm(const Key& key, quint64 stamp, const QString& peer, qint64 throttleGeneration);
    // After a password change here: nothing verified with the old one is kept.
    void forgetTeacher(qint64 teacherId);

private:
    struct Entry {
        Verified verified;
        qint64 expiresAtMs;
    };
    QByteArray m_key;
    int m_lifetimeMs;
    QMutex m_mutex;
    QHash<QByteArray, Entry> m_entries;
};

} // namespace ordalis::service
