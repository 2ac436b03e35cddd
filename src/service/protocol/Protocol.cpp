// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/Protocol.h"

#include "protocol/AccountEndpoints.h"
#include "protocol/RosterEndpoints.h"
#include "protocol/ScoreEndpoints.h"
#include "protocol/SitePages.h"
#include "protocol/StandardEndpoints.h"
#include "storage/Sql.h"

#include <QHash>

namespace ordalis::service {

namespace {

using Endpoint = Reply (*)(Call&);

struct Route {
    Endpoint endpoint;
    bool changes; // a form POST; otherwise a GET
};

const QHash<QByteArray, Route>& routes() {
    static const QHash<QByteArray, Route> table = {
        {"/checkpassword.php", {checkPassword, true}},
        {"/regteacher.php", {registerTeacher, true}},
        {"/setpassword.php", {setPassword, true}},
        {"/index.php", {uploadScores, true}},
        {"/group.php", {uploadGroups, true}},
        {"/setteacher.php", {setTeacher, true}},
        {"/setclass.php", {setClasses, true}},
        {"/renameclass.php", {renameClass, true}},
        {"/student.php", {setStudents, true}},
        {"/renamestudent.php", {renameStudent, true}},
        {"/setketi.php", {setTopics, true}},
        {"/renameketi.php", {renameTopic, true}},
        {"/newscale.php", {newScales, true}},
        {"/editscale.php", {editScale, true}},
        {"/delscale.php", {deleteScales, true}},
        {"/editscore.php", {editScore, true}},
        {"/delscore.php", {deleteScores, true}},
        {"/record.php", {record, false}},
        {"/getteacher.php", {getTeacher, false}},
        {"/getscore.php", {getScores, false}},
        {"/getscale.php", {getScales, false}},
        {"/checkusername.php", {checkUserName, false}},
        {"/getpswdcode.php", {getPasswordCode, false}},
        {"/servertime.php", {serverTime, false}},
        {"/version.php", {version, false}},
        {"/update.php", {updatePage, false}},
        {"/", {homePage, false}},
        {"/index.html", {homePage, false}},
    };
    return table;
}

} // namespace

Protocol::Protocol(Database& database, const ServiceOptions& options)
    : m_context(database, options) {}

Reply Protocol::handle(const Request& request) {
    const auto route = routes().constFind(request.path);
    if (route == routes().constEnd())
        return Reply::error(404, QStringLiteral("Not found"));
    const bool isPost = request.method == "POST";
    const bool isGet = request.method == "GET" || request.method == "HEAD";
    // A change never comes as a GET: a link or an image in a page must not alter data.
    if (route->changes ? !isPost : !(isGet || isPost))
        return Reply::error(405, QStringLiteral("Method not allowed"));
    Call call{m_context, request,
              FormFields::parse(isPost && route->changes ? request.body : request.query),
              m_context.database.connection()};
    if (!call.db.isOpen())
        return Reply::error(503, QStringLiteral("Database unavailable"));
    try {
        return route->endpoint(call);
    } catch (const DatabaseError&) {
        // A server connection may be what failed: the next request on this thread reconnects.
        if (!m_context.database.isSqlite())
            call.db.close();
        return Reply::error(500, QStringLiteral("Database error"));
    }
}

} // namespace ordalis::service
