// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Slow salted password hashes (Argon2id) for the login password, the operation password and
// mp.

#include <QString>

namespace ordalis::service {

enum class HashCost {
    Interactive, // the deployed strength
    Minimal      // for tests that register many accounts; never a command-line choice
};

class PasswordHasher {
public:
    explicit PasswordHasher(HashCost cost = HashCost::Interactive);
    // An encoded Argon2id hash with its own salt and parameters; empty on failure (out of memory).
    QString hash(const QString& secret) const;
    // Constant-time comparison inside libsodium; false for an empty or malformed hash.
    static bool verify(const QString& encodedHash, const QString& secret);

private:
    HashCost m_cost;
};

// libsodium initialised once for the process; false when it cannot be.
bool sodiumReady();

} // namespace ordalis::service
