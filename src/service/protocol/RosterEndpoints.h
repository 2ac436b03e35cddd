// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Classes, students, topics and groups, and the teacher record built from them.

#include "protocol/Routes.h"
#include "protocol/ServiceContext.h"

namespace ordalis::service {

Reply setClasses(Call& call);
Reply renameClass(Call& call);
Reply setStudents(Call& call);
Reply renameStudent(Call& call);
Reply setTopics(Call& call);
Reply renameTopic(Call& call);
Reply uploadGroups(Call& call);
Reply record(Call& call);

// The endpoints above with their handlers.
Registrations rosterRoutes();

} // namespace ordalis::service
