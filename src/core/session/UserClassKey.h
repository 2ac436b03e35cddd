// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name a settings file keeps something of one user's class under.

#include <QString>

namespace ordalis {

// "user_class", percent-encoded, so that no name nests a group or breaks the file.
QString userClassKey(const QString& user, const QString& className);

} // namespace ordalis
