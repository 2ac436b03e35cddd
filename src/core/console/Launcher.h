// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The free-desktop launcher ("Rovani.desktop") that the shortcuts page writes: it starts the
// running program and carries the program's name and icon, so menus and desktops show it.

#include <QString>

namespace ordalis::console {

// The launcher file's text for the executable, however its path is spelled (blanks, quotes,
// "$", "%" and backslashes are escaped as launchers require).
QString launcherText(const QString& executable, const QString& name, const QString& icon);

} // namespace ordalis::console
