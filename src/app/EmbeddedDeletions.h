// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's hooks to the deletions that the service running inside the program keeps:
// its calls, with the service's rows turned into the console's.

#include "ScoreService.h"
#include "console/ConsoleHooks.h"

namespace ordalis {

// `service` must outlive the hooks.
ConsoleHooks::Deletions deletionsOf(ScoreService& service);

} // namespace ordalis
