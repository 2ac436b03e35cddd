// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class's scores and calls as a workbook for the browser (export.php): the same file the
// history window saves, for the teacher proven by t and mp, as .xlsx or .csv.

#include "protocol/Routes.h"
#include "protocol/ServiceContext.h"

namespace ordalis::service {

// Fields: t, mp, class; from and to (yyyy-mm-dd, optional, each end open without); format
// "xlsx" (the default) or "csv".
Reply exportScores(Call& call);

// The endpoints above with their handlers.
Registrations exportRoutes();

} // namespace ordalis::service
