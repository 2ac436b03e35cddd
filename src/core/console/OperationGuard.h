// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test before every console action that adds or deletes data: an online session and a
// typed operation password. Only that a password was typed is tested; the service judges it.

#include <QString>

namespace ordalis::console {

// Empty when the action may proceed; otherwise the text of the "提示" box.
QString guardRefusal(const QString& userName, const QString& operationPassword);

} // namespace ordalis::console
