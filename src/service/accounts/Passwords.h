// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Slow salted password hashes (Argon2id) for the login password, the operation password and
// mp.

#include <QSemaphore>
#include <QString>
#include <stdexcept>
#include <utility>

namespace ordalis::service {

enum class HashCost {
    Interactive, // the deployed strength
    Minimal      // for tests that register many accounts; never a command-line choice
};

// Thrown when every hashing slot stays taken: the request is answered 503.
class HashingBusy : public std::runtime_error {
public:
    HashingBusy()
        : std::runtime_error("every password hashing slot is taken") {}
};

// Each hash takes much memory and CPU time, so only a few run at once; a request that finds
// every slot taken for a moment is turned away rather than queued without bound.
class PasswordHasher {
public:
    class Slot {
    public:
        explicit Slot(QSemaphore& semaphore)
            : m_slots(&semaphore) {}
        Slot(Slot&& other) noexcept
            : m_slots(std::exchange(other.m_slots, nullptr)) {}
        Slot(const Slot&) = delete;
        Slot& operator=(const Slot&) = delete;
        Slot& operator=(Slot&&) = delete;
        ~Slot() {
            if (m_slots)
                m_slots->release();
        }

    private:
        QSemaphore* m_slots;
    };

    explicit PasswordHasher(HashCost cost = HashCost::Interactive, int slotCount = 0);
    // Waits briefly for a slot; throws HashingBusy when none frees up.
    Slot enter();
    // An encoded Argon2id hash with its own salt and parameters; empty on failure (out of memory).
    QString hash(const Slot& slot, const QString& secret) const;
    // Constant-time comparison inside libsodium; false for an empty or malformed hash.
    bool verify(const Slot& slot, const QString& encodedHash, const QString& secret) const;

private:
    HashCost m_cost;
    QSemaphore m_slots;
};

// libsodium initialised once for the process; false when it cannot be.
bool sodiumReady();

} // namespace ordalis::service
