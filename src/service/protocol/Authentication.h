// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who a request speaks for: the teacher whose stored hash matches the credential sent, with
// failures counted by the throttle.

#include "protocol/ServiceContext.h"
#include "text/Refusal.h"

namespace ordalis::service {

// The teacher whose credential of this kind matches, or the refusal (a change answers it as a
// text of status 200). The secret is taken as typed and trimmed by the one rule for secrets.
// Failures count towards the throttle of the account from this address and of the address;
// throws HashingBusy when no hashing slot is free.
Expected<qint64> authenticate(Call& call, CredentialCache::Kind kind, const QString& account,
                              const QString& secret);
// The refusal of a check whose account and address, or address, has failed too often; counted
// in the metrics.
QString throttledRefusal(const ServiceContext& context);
// A read of a teacher's data: the account in the query's "t", its login proven by "mp". Its
// refusal has status 403, so that a download never takes the refusal for the teacher's data.
Expected<qint64> authenticateReader(Call& call);

} // namespace ordalis::service
