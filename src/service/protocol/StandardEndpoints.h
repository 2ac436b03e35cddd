// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scoring standards of a topic.

#include "protocol/ServiceContext.h"

namespace ordalis::service {

Reply getScales(Call& call);
Reply newScales(Call& call);
Reply editScale(Call& call);
Reply deleteScales(Call& call);

} // namespace ordalis::service
