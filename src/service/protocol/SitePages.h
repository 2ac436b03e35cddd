// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages a browser opens and the service's version and clock answers.

#include "protocol/Routes.h"
#include "protocol/ServiceContext.h"

namespace ordalis::service {

Reply homePage(Call& call);
Reply version(Call& call);
Reply updatePage(Call& call);
Reply serverTime(Call& call);

// The endpoints above with their handlers.
Registrations pageRoutes();

} // namespace ordalis::service
