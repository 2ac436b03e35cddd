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
// Each entry keeps the stored hash it was verified against; the caller compares it with the
// hash stored now, so a password changed through any instance ends the entry at once.
class CredentialCache {
public:
    enum class Kind : char { Login = 'l', Operation = 'o', Mp = 'm' };
    struct Verified {
        qint64 teacherId;
        QString storedHash;
    };

    explicit CredentialCache(int lifetimeSeconds = 300);
    std::optional<Verified> find(Kind kind, const QString& account, const QString& secret);
    void remember(Kind kind, const QString& account, const QString& secret,
                  const Verified& verified);
    // After a password change here: nothing verified with the old one is kept.
    void forgetTeacher(qint64 teacherId);

private:
    QByteArray digest(Kind kind, const QString& account, const QString& secret) const;

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
