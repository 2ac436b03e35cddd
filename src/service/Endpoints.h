#pragma once
// One function per endpoint; Protocol routes paths to them.

#include "ServiceContext.h"

namespace ordalis::service {

using Endpoint = Reply (*)(Call&);

// The reply word of every change that was made.
inline const QString kDone = QStringLiteral("Success!");

// Accounts
Reply checkPassword(Call& call);
Reply registerTeacher(Call& call);
Reply checkUserName(Call& call);
Reply getTeacher(Call& call);
Reply setTeacher(Call& call);
Reply getPasswordCode(Call& call);
Reply setPassword(Call& call);

// Classes, students, topics and groups
Reply setClasses(Call& call);
Reply renameClass(Call& call);
Reply setStudents(Call& call);
Reply renameStudent(Call& call);
Reply setTopics(Call& call);
Reply renameTopic(Call& call);
Reply uploadGroups(Call& call);
Reply record(Call& call);

// Scoring standards
Reply getScales(Call& call);
Reply newScales(Call& call);
Reply editScale(Call& call);
Reply deleteScales(Call& call);

// Scores
Reply uploadScores(Call& call);
Reply getScores(Call& call);
Reply editScore(Call& call);
Reply deleteScores(Call& call);

// The maker's site and the browser pages
Reply homePage(Call& call);
Reply version(Call& call);
Reply updatePage(Call& call);
Reply serverTime(Call& call);

} // namespace ordalis::service
