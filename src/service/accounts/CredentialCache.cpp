// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/CredentialCache.h"

#include "accounts/Passwords.h"

#include <QDateTime>
#include <sodium.h>

namespace ordalis::service {

namespace {

constexpr int MaxCachedCredentials = 20000;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

CredentialCache::CredentialCache(int lifetimeSeconds)
    : m_key(crypto_generichash_KEYBYTES, '\0')
    , m_lifetimeMs(lifetimeSeconds * 1000) {
    if (sodiumReady())
        crypto_generichash_keygen(reinterpret_cast<unsigned char*>(m_key.data()));
}

CredentialCache::Key CredentialCache::key(Kind kind, const QString& account,
                                          const QString& secret) const {
    // Lengths are part of the input so that no two (account, secret) pairs share a message.
    QByteArray message;
    const QByteArray a = account.toUtf8();
    const QByteArray s = secret.toUtf8();
    message.append(char(kind));
    message.append(QByteArray::number(a.size())).append(':').append(a);
    message.append(QByteArray::number(s.size())).append(':').append(s);
    QByteArray out(crypto_generichash_BYTES, '\0');
    crypto_generichash(
        reinterpret_cast<unsigned char*>(out.data()), size_t(out.size()),
        reinterpret_cast<const unsigned char*>(message.constData()), quint64(message.size()),
        reinterpret_cast<const unsigned char*>(m_key.constData()), size_t(m_key.size()));
    sodium_memzero(message.data(), size_t(message.size()));
    return out;
}

std::optional<CredentialCache::Verified> CredentialCache::find(const Key& key) {
    QMutexLocker lock(&m_mutex);
    const auto it = m_entries.constFind(key);
    if (it == m_entries.constEnd())
        return std::nullopt;
    if (it->expiresAtMs < nowMs()) {
        m_entries.erase(it);
        return std::nullopt;
    }
    return it->verified;
}

void CredentialCache::remember(const Key& key, const Verified& verified) {
    const qint64 now = nowMs();
    QMutexLocker lock(&m_mutex);
    if (m_entries.size() >= MaxCachedCredentials) {
        m_entries.removeIf([now](const auto& entry) { return entry.value().expiresAtMs < now; });
        if (m_entries.size() >= MaxCachedCredentials)
            m_entries.clear();
    }
    m_entries.insert(key, {verified, now + m_lifetimeMs});
}

void CredentialCache::confirm(const Key& key, quint64 stamp, const QString& peer,
                              qint64 throttleGeneration) {
    QMutexLocker lock(&m_mutex);
    const auto it = m_entries.find(key);
    if (it != m_entries.end() && stamp >= it->verified.stamp) {
        it->verified.stamp = stamp;
        it->verified.peer = peer;
        it->verified.throttleGeneration = throttleGeneration;
    }
}

void CredentialCache::forgetTeacher(qint64 teacherId) {
    QMutexLocker lock(&m_mutex);
    m_entries.removeIf(
        [teacherId](const auto& entry) { return entry.value().verified.teacherId == teacherId; });
}

} // namespace ordalis::service
