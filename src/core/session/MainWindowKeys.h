// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of the main window's draw panel, as a keyboard or a presenter remote sends them:
// PageDown or Space starts and stops a draw on the category used last ("所有" at first),
// PageUp on "未点"; B or period blanks the name display; F11 (or F5, a remote's "start show")
// turns projector mode on, and F11 or Escape turns it off; in projector mode the digits 1 to 8
// say how many students a draw calls; F9 opens the class's history; F12 opens or closes the
// draw window over a slideshow. Keys typed into a text box are that box's own, except those
// that switch projector mode off and on, F9 and F12.

namespace ordalis {

enum class MainWindowKey {
    None,
    DrawLastCategory,
    DrawNotYetCalled,
    BlankName,
    EnterProjector,
    LeaveProjector,
    OpenHistory,
    ChooseDrawCount,
    ToggleOverlay,
};

// key: a Qt::Key value.
MainWindowKey mainWindowKey(int key, bool textBoxFocused, bool projector);
// How many students a digit key asks a draw to call, 1 to 8; 0 for any other key.
int drawCountOfKey(int key);

} // namespace ordalis
