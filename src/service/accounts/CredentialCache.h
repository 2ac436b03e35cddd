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
class CredentialCache {
public:
    enum class Kind : char { Login = 'l', Operation = 'o', Mp = 'm' };

    explicit CredentialCache(int lifetimeSeconds = 300);
    std::optional<qint64> teacherFor(Kind kind, const QString& account, const QString& secret);
    void remember(Kind kind, const QString& account, const QString& secret, qint64 teacherId);
    // After a password change: nothing verified with the old one may stay valid.
    void forgetTeacher(qint64 teacherId);

private:
    QByteArray digest(Kind kind, const QString& account, const QString& secret) const;

    struct Entry {
        qint64 teacherId;
        qint64 expiresAtMs;
    };
    QByteArray m_key;
    int m_lifetimeMs;
    QMutex m_mutex;
    QHash<QByteArray, Entry> m_entries;
};

} // namespace ordalis::service
