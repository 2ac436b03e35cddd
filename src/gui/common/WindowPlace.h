// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window the teacher opens comes up centred over the window it comes from, on that window's
// screen, frame and all. Before a window is first mapped the window manager has not told the
// size of its frame yet: the frame of the window it comes from stands in for it, as both have
// the same decorations.

#include <QMargins>

class QWidget;

namespace ordalis {

// Moves (and, for a screen too small, shrinks) `window` so that its frame is centred over the
// frame of `over`'s window, whether that is shown or hidden for now.
void placeOver(QWidget* window, const QWidget* over);

// A window's frame around its inside: as the window manager reported it once the window was
// mapped, or `fallback` until then.
QMargins frameMarginsOf(const QWidget* window, const QMargins& fallback = {});

} // namespace ordalis
