// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/Passwords.h"

#include <QThread>
#include <sodium.h>

namespace ordalis::service {

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

namespace {

constexpr int SlotWaitMs = 500;

} // namespace

PasswordHasher::PasswordHasher(HashCost cost, int slotCount)
    : m_cost(cost)
    , m_slots(slotCount > 0 ? slotCount : std::max(2, QThread::idealThreadCount())) {}

PasswordHasher::Slot PasswordHasher::enter() {
    if (!m_slots.tryAcquire(1, SlotWaitMs))
        throw HashingBusy();
    return Slot(m_slots);
}

QString PasswordHasher::hash(const Slot&, const QString& secret) const {
    if (!sodiumReady())
        return {};
    const QByteArray bytes = secret.toUtf8();
    const bool minimal = m_cost == HashCost::Minimal;
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, bytes.constData(), quint64(bytes.size()),
                          minimal ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          minimal ? crypto_pwhash_MEMLIMIT_MIN
                                  : crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QString::fromLatin1(out);
}

bool PasswordHasher::verify(const Slot&, const QString& encodedHash, const QString& secret) const {
    if (!sodiumReady() || encodedHash.isEmpty() || encodedHash.size() >= crypto_pwhash_STRBYTES)
        return false;
    char stored[crypto_pwhash_STRBYTES] = {};
    const QByteArray latin = encodedHash.toLatin1();
    memcpy(stored, latin.constData(), size_t(latin.size()));
    const QByteArray bytes = secret.toUtf8();
    return crypto_pwhash_str_verify(stored, bytes.constData(), quint64(bytes.size())) == 0;
}

} // namespace ordalis::service
