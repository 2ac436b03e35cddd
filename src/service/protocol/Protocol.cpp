// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/Protocol.h"

#include "protocol/AccountEndpoints.h"
#include "protocol/CallEndpoints.h"
#include "protocol/ExportEndpoints.h"
#include "protocol/RosterEndpoints.h"
#include "protocol/ScoreEndpoints.h"
#include "protocol/SitePages.h"
#include "protocol/StandardEndpoints.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <QHash>
#include <QHostAddress>

namespace ordalis::service {

namespace {

// The most any request of the program sends (the groups: 19); more is no request of it.
constexpr qsizetype MaxFormFields = 64;

} // namespace

struct Protocol::Route {
    const wire::Endpoint* endpoint;
    Handler handler;
    Storage storage;
    // The keys of the endpoint's required fields, made once from its description.
    QList<QByteArray> required;

    bool changes() const { return endpoint->method == wire::Method::Change; }
};

namespace {

// For the proxy's and systemd's checks: whether the database answers, nothing else. A failure
// is answered 503 by handle().
Reply health(Call& call) {
    sqlValue(call.db, QStringLiteral("SELECT 1"));
    return Reply::text(QStringLiteral("ok"));
}

// Only for those who run the service: from loopback or a trusted proxy's network (a client a
// proxy forwards from elsewhere is refused). It needs no database, so that it still answers
// when the database does not.
Reply metricsPage(Call& call) {
    const QHostAddress client(call.request.peer);
    if (!client.isLoopback() && !call.context.trustedProxies.contains(client))
        return Reply::error(403, QStringLiteral("Forbidden"));
    return Reply::bytes(call.context.metrics.page(),
                        QByteArrayLiteral("text/plain; version=0.0.4; charset=utf-8"));
}

QList<QByteArray> requiredKeys(const wire::Endpoint& endpoint) {
    QList<QByteArray> keys;
    for (const wire::Field& field : endpoint.fields) {
        if (field.presence != wire::Presence::Required)
            continue;
        if (field.count == 0)
            keys.append(field.key.bytes().toByteArray());
        for (int index = 0; index < field.count; ++index)
            keys.append(wire::indexedKey(field.key, index));
    }
    return keys;
}

// The service's own pages, for those who run it.
const Registration OwnRoutes[] = {
    {wire::Health, health},
    {.endpoint = wire::Metrics, .handler = metricsPage, .storage = Storage::None},
};

const QHash<QByteArray, Protocol::Route>& routes() {
    static const QHash<QByteArray, Protocol::Route> table = [] {
        const Registrations lists[] = {accountRoutes(), rosterRoutes(),   scoreRoutes(),
                                       callRoutes(),    standardRoutes(), exportRoutes(),
                                       pageRoutes(),    OwnRoutes};
        QHash<QByteArray, Protocol::Route> routes;
        for (const Registrations list : lists)
            for (const Registration& r : list)
                routes.insert(r.endpoint.path.bytes().toByteArray(),
                              {&r.endpoint, r.handler, r.storage, requiredKeys(r.endpoint)});
        return routes;
    }();
    return table;
}

} // namespace

Protocol::Protocol(Database& database, const ServiceOptions& options)
    : m_context(database, options, paths()) {}

QList<QByteArray> Protocol::paths() {
    return routes().keys();
}

const Protocol::Route* Protocol::routeFor(const Request& request, Reply* refusal) const {
    const auto route = routes().constFind(request.path);
    if (route == routes().constEnd()) {
        *refusal = Reply::error(404, QStringLiteral("Not found"));
        return nullptr;
    }
    const bool isPost = request.method == "POST";
    const bool isGet = request.method == "GET" || request.method == "HEAD";
    // A change never comes as a GET: a link or an image in a page must not alter data.
    if (route->changes() ? !isPost : !(isGet || isPost)) {
        *refusal = Reply::error(405, QStringLiteral("Method not allowed"));
        return nullptr;
    }
    return &*route;
}

std::optional<Reply> Protocol::screen(const Request& headersOnly) const {
    Reply refusal;
    if (!routeFor(headersOnly, &refusal))
        return refusal;
    return std::nullopt;
}

Reply Protocol::handle(const Request& request) {
    Reply refusal;
    const Route* route = routeFor(request, &refusal);
    if (!route)
        return refusal;
    auto fields = FormFields::parse(route->changes() ? request.body : request.query, MaxFormFields);
    if (!fields)
        return Reply::error(400, QStringLiteral("Too many form fields"));
    for (const QByteArray& key : route->required)
        if (!fields->contains(key))
            return Reply::text(QStringLiteral("请求缺少字段：%1").arg(QLatin1String(key)), 400);
    // No text of the protocol holds a control character other than TAB, CR and LF; a NUL
    // would not even reach PostgreSQL.
    if (const auto key = fields->keyWithControlCharacter())
        return Reply::text(
            QStringLiteral("请求字段含有控制字符：%1").arg(QString::fromLatin1(*key)), 400);
    // A connection to a database server found lost (the server restarted) is opened again and
    // the request run once more, if none of its changes reached COMMIT: until then the server
    // kept nothing of it. A COMMIT whose answer was lost may have been kept, and is answered as
    // an error: the program sends it again under its batch.
    for (int attempt = 1;; ++attempt) {
        Call call{m_context,
                  request,
                  *fields,
                  route->storage == Storage::Database ? m_context.database.connection()
                                                      : QSqlDatabase(),
                  {}};
        if (route->storage == Storage::Database && !call.db.isOpen())
            return Reply::error(503, QStringLiteral("Database unavailable"));
        const quint64 commitsBefore = Transaction::changeCommitsSent();
        try {
            return route->handler(call);
        } catch (const DatabaseError& error) {
            const bool lost = m_context.database.connectionLost();
            const bool again =
                lost && attempt == 1 && Transaction::changeCommitsSent() == commitsBefore;
            // Which endpoint and statement, and the driver's reason; never a value of the form.
            qWarning("ordalis-service: storage error in %s%s: %s", request.path.constData(),
                     again ? " (connection lost, run again)" : "", error.what());
            if (again)
                continue;
            m_context.metrics.databaseError();
            if (route->handler == health)
                return Reply::error(503, QStringLiteral("Database unavailable"));
            return Reply::error(500, QStringLiteral("Database error"));
        } catch (const HashingBusy&) {
            return Reply::error(503, QStringLiteral("Busy, try again shortly"));
        }
    }
}

} // namespace ordalis::service
