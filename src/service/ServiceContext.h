#pragma once
// What every endpoint shares: storage, hashing, caches, throttling and mail; and the one call
// an endpoint handles, with its decoded fields and this thread's connection.

#include "Database.h"
#include "FormFields.h"
#include "MailSpool.h"
#include "Passwords.h"
#include "RecordCache.h"
#include "Request.h"
#include "Throttle.h"

#include <optional>

namespace ordalis::service {

struct ServiceOptions {
    QString mailSpool; // folder for check-code mails
    HashCost hashCost = HashCost::Interactive;
    Throttle::Limits limits;
};

struct ServiceContext {
    ServiceContext(Database& database, const ServiceOptions& options)
        : database(database)
        , hasher(options.hashCost)
        , throttle(options.limits)
        , mail(options.mailSpool) {}
    Database& database;
    PasswordHasher hasher;
    CredentialCache credentials;
    RecordCache records;
    Throttle throttle;
    MailSpool mail;
};

struct Call {
    ServiceContext& context;
    const Request& request;
    FormFields fields;
    QSqlDatabase db;

    QString field(QByteArrayView key) const { return fields.value(key); }
};

// The teacher whose credential of this kind matches, or nullopt with the refusal text set.
// Failures count towards the throttle of the account and of the client address.
std::optional<qint64> authenticate(Call& call, CredentialCache::Kind kind, const QString& account,
                                   const QString& secret, QString* refusal);
// A read of a teacher's data: the account in the query's "t", its login proven by "mp".
std::optional<qint64> authenticateReader(Call& call, QString* refusal);

// A read answered with lines: the rows of `statement`, whose first "?" is the authenticated
// teacher and the rest `values`, as TAB-joined fields, lines separated by CR LF. The columns in
// `numberColumns` are written as shortest decimals.
Reply readLines(Call& call, const QString& statement, const QVariantList& values,
                const QList<int>& numberColumns);

} // namespace ordalis::service
