// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test before every console action that adds or deletes data: an online session and a
// typed operation password. Only that a password was typed is tested; the service judges it.

#include "text/Refusal.h"

#include <QString>

namespace ordalis::console {

// Whether the action may proceed; refused with the text of the "提示" box otherwise.
Expected<> checkOperation(const QString& userName, const QString& operationPassword);

} // namespace ordalis::console
