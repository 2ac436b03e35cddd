// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scoring standards of a topic.

#include "protocol/Routes.h"
#include "protocol/ServiceContext.h"

namespace ordalis::service {

Reply getScales(Call& call);
Reply newScales(Call& call);
Reply editScale(Call& call);
Reply deleteScales(Call& call);

// The endpoints above with their handlers.
Registrations standardRoutes();

} // namespace ordalis::service
