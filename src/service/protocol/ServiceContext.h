// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every endpoint shares: storage, hashing, caches, throttling and mail; and the one call
// an endpoint handles, with its decoded fields and this thread's connection.

#include "accounts/CredentialCache.h"
#include "accounts/Outbox.h"
#include "accounts/Passwords.h"
#include "http/FormFields.h"
#include "http/Reply.h"
#include "http/Request.h"
#include "http/TrustedProxies.h"
#include "metrics/ServiceMetrics.h"
#include "protocol/BuiltRecordCache.h"
#include "protocol/UploadRoster.h"
#include "storage/Database.h"
#include "storage/GroupCommit.h"
#include "storage/Throttle.h"
#include "wire/Endpoints.h"

#include <optional>

namespace ordalis::service {

// The reply word of every change that was made.
inline const QString DoneText = wire::Done;

struct ServiceOptions {
    QString mailSpool;   // folder for check-code mails
    QString mailCommand; // sendmail-compatible command; empty: the spool only
    QString mailSender;  // From header; empty: the default
    HashCost hashCost = HashCost::Interactive;
    int hashSlots = 0; // passwords hashed at once; 0: one per processor, at least two
    Throttle::Limits limits;
    Clock clock; // what every period of the service is measured on
    // Proxies whose networks may also read the metrics page, besides loopback.
    TrustedProxies trustedProxies;
};

struct ServiceContext {
    ServiceContext(Database& database, const ServiceOptions& options,
                   const QList<QByteArray>& endpoints)
        : database(database)
        , metrics(endpoints)
        , commits(database, [this](std::size_t changes) { metrics.groupCommitted(changes); })
        , hasher(options.hashCost, options.hashSlots)
        , clock(options.clock)
        , throttle(database, options.limits, options.clock)
        , mail(options.mailSpool, options.mailCommand, options.mailSender)
        , trustedProxies(options.trustedProxies) {}
    Database& database;
    ServiceMetrics metrics;
    GroupCommit commits;
    PasswordHasher hasher;
    CredentialCache credentials;
    BuiltRecordCache records;
    UploadRosterCache rosters;
    const Clock clock;
    Throttle throttle;
    Outbox mail;
    TrustedProxies trustedProxies;
};

struct Call {
    ServiceContext& context;
    const Request& request;
    FormFields fields;
    QSqlDatabase db;
    std::optional<quint64> stamp;

    QString field(wire::Key key) const { return fields.value(key.bytes()); }
    // Field `index` of an indexed field (group[index]).
    QString field(wire::Key key, int index) const {
        return fields.value(wire::indexedKey(key, index));
    }
    bool has(wire::Key key) const { return fields.contains(key.bytes()); }
    qint64 now() const { return context.clock.now(); }
    // The database's change stamp, taken once per request (see Database::changeStamp).
    quint64 changeStamp() {
        if (!stamp)
            stamp = context.database.changeStamp(db);
        return *stamp;
    }
};

} // namespace ordalis::service
