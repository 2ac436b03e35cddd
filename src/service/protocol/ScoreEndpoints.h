// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recorded scores: uploads, the score list of a class, edits and deletions.

#include "protocol/Routes.h"
#include "protocol/ServiceContext.h"

namespace ordalis::service {

Reply uploadScores(Call& call);
Reply getScores(Call& call);
Reply editScore(Call& call);
Reply deleteScores(Call& call);

// The endpoints above with their handlers.
Registrations scoreRoutes();

} // namespace ordalis::service
