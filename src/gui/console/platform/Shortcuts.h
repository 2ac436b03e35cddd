// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's three shortcuts: 0 on the desktop, 1 in the program group "Brannock" of the
// applications menu, 2 directly in the applications menu. On a free desktop they are
// "Rovani.desktop" launchers, on Windows "Rovani.lnk" shell links. A folder that cannot be
// found or written makes an operation fail quietly; it never stops the program.

#include <QString>

namespace ordalis::shortcuts {

inline constexpr int Desktop = 0;
inline constexpr int ProgramGroup = 1;
inline constexpr int ApplicationsMenu = 2;
inline constexpr int Count = 3;

// On a free desktop a launcher in the program group's folder is itself an entry of the
// applications menu, beside one directly there: the two shortcuts are the one menu entry, in
// the one place or the other, so that the menu never shows the program twice.
#ifdef Q_OS_WIN
inline constexpr bool OneMenuEntry = false;
#else
inline constexpr bool OneMenuEntry = true;
#endif

// The shortcut's file; empty when its folder cannot be determined.
QString path(int shortcut);
bool exists(int shortcut);
// Writes the shortcut to the running program anew (over an existing one); false on failure.
bool create(int shortcut);
// Deletes the shortcut; the program group goes with its whole folder. A missing one is no
// failure.
bool remove(int shortcut);

} // namespace ordalis::shortcuts
