// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Teacher accounts: registration, login, personal data, and the reset of a forgotten password
// by a mailed check code.

#include "protocol/Routes.h"
#include "protocol/ServiceContext.h"

namespace ordalis::service {

Reply checkPassword(Call& call);
Reply registerTeacher(Call& call);
Reply checkUserName(Call& call);
Reply getTeacher(Call& call);
Reply setTeacher(Call& call);
Reply getPasswordCode(Call& call);
Reply setPassword(Call& call);

// The endpoints above with their handlers.
Registrations accountRoutes();

} // namespace ordalis::service
