// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calls of a teacher's lessons: each time a draw stopped on a student, with the time and
// how the student was chosen (a category's caption, "拼音", "手动"). They are uploaded with the
// scores of the same upload (index.php's "calls" field, in its transaction) or on their own
// (setcalls.php), and read back per class and period (getcalls.php).

#include "protocol/Routes.h"
#include "protocol/ServiceContext.h"
#include "text/Refusal.h"

namespace ordalis::service {

// Stores the "calls" lines of the call (class TAB student TAB time TAB how, joined by "|") for
// the teacher: all stored, or the refusal of the first line that cannot be (and then nothing
// is kept, as the change rolls back). A call of a student the teacher no longer has is passed
// over.
Expected<> storeCalls(Call& call, qint64 teacherId);

Reply setCalls(Call& call);
// Lines "student TAB time TAB how", oldest first; "from" and "to" (yyyy-mm-dd, both optional)
// bound the days.
Reply getCalls(Call& call);

// The endpoints above with their handlers.
Registrations callRoutes();

} // namespace ordalis::service
