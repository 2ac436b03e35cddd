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

using Endpoint = Reply (*)(Call&);

// The most any request of the program sends (group.php: 19); more is no request of it.
constexpr qsizetype MaxFormFields = 64;

} // namespace

struct Protocol::Route {
    Endpoint endpoint;
    bool changes; // a form POST; otherwise a GET
    // Fields that must be present, even if empty: a missing field is never read as an empty
    // value, so that a request cut short or mistyped cannot clear a list.
    QList<QByteArray> required;
    bool database = true; // false: answered without a database connection
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

QList<QByteArray> changeFields(std::initializer_list<QByteArray> rest) {
    return QList<QByteArray>{"username", "password"} + QList<QByteArray>(rest);
}

QList<QByteArray> groupFields() {
    QList<QByteArray> fields = changeFields({"class"});
    for (int group = 0; group < 16; ++group)
        fields.append("group[" + QByteArray::number(group) + "]");
    return fields;
}

const QList<QByteArray> ReaderFields = {"t", "mp"};

const QHash<QByteArray, Protocol::Route>& routes() {
    static const QHash<QByteArray, Protocol::Route> table = {
        {"/checkpassword.php", {checkPassword, true, {"username", "password"}}},
        {"/regteacher.php",
         {registerTeacher,
          true,
          {"username", "teachername", "password", "superpassword", "email", "mb", "tel", "qq"}}},
        {"/setpassword.php",
         {setPassword, true, {"username", "checkcode", "newpswd", "newsuperpswd"}}},
        {"/index.php", {uploadScores, true, changeFields({"keti", "score"})}},
        {"/group.php", {uploadGroups, true, groupFields()}},
        {"/setcalls.php", {setCalls, true, changeFields({"calls"})}},
        {"/setteacher.php",
         {setTeacher,
          true,
          {"username", "email", "oldsuperpassword", "newlogpassword", "newsuperpassword"}}},
        {"/setclass.php", {setClasses, true, changeFields({"class"})}},
        {"/renameclass.php", {renameClass, true, changeFields({"oldclassname", "newclassname"})}},
        {"/student.php", {setStudents, true, changeFields({"class", "student"})}},
        {"/renamestudent.php",
         {renameStudent, true, changeFields({"class", "oldstuname", "newstuname"})}},
        {"/setketi.php", {setTopics, true, changeFields({"keti"})}},
        {"/renameketi.php", {renameTopic, true, changeFields({"oldketi", "newketi"})}},
        {"/newscale.php", {newScales, true, changeFields({"keti", "newscale", "newscore"})}},
        {"/editscale.php", {editScale, true, changeFields({"scaleid", "scale", "score"})}},
        {"/delscale.php", {deleteScales, true, changeFields({"delid"})}},
        {"/editscore.php",
         {editScore, true, changeFields({"scoreid", "score", "time", "keti", "addtion"})}},
        {"/delscore.php", {deleteScores, true, changeFields({"delid"})}},
        {"/record.php", {record, false, ReaderFields}},
        {"/getteacher.php", {getTeacher, false, ReaderFields}},
        {"/getscore.php", {getScores, false, ReaderFields + QList<QByteArray>{"class"}}},
        {"/getcalls.php", {getCalls, false, ReaderFields + QList<QByteArray>{"class"}}},
        {"/export.php", {exportScores, false, ReaderFields + QList<QByteArray>{"class"}}},
        {"/getscale.php", {getScales, false, ReaderFields + QList<QByteArray>{"keti"}}},
        {"/checkusername.php", {checkUserName, false, {"u"}}},
        {"/getpswdcode.php", {getPasswordCode, false, {"username", "email"}}},
        {"/servertime.php", {serverTime, false, {}}},
        {"/version.php", {version, false, {}}},
        {"/update.php", {updatePage, false, {}}},
        {"/healthz", {health, false, {}}},
        {"/metrics", {metricsPage, false, {}, false}},
        {"/", {homePage, false, {}}},
        {"/index.html", {homePage, false, {}}},
    };
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
    if (route->changes ? !isPost : !(isGet || isPost)) {
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
    auto fields = FormFields::parse(route->changes ? request.body : request.query, MaxFormFields);
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
                  route->database ? m_context.database.connection() : QSqlDatabase(),
                  {}};
        if (route->database && !call.db.isOpen())
            return Reply::error(503, QStringLiteral("Database unavailable"));
        const quint64 commitsBefore = Transaction::changeCommitsSent();
        try {
            return route->endpoint(call);
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
            if (route->endpoint == health)
                return Reply::error(503, QStringLiteral("Database unavailable"));
            return Reply::error(500, QStringLiteral("Database error"));
        } catch (const HashingBusy&) {
            return Reply::error(503, QStringLiteral("Busy, try again shortly"));
        }
    }
}

} // namespace ordalis::service
