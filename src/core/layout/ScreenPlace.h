// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window opens, in pixels: centred over the window it comes from (or over the screen)
// and entirely on that screen's available area (without its panels), so that no button touches
// or passes an edge.

#include <QList>
#include <QRect>
#include <optional>

namespace ordalis::layout {

// The frame of a window of that frame size, centred over `over`, shrunk to fit the area and
// moved onto it where it would pass an edge.
QRect centredOver(const QRect& available, const QRect& over, const QSize& frame);

// A window's frame where the teacher put it before, on the screens there are now (their
// available areas): on the screen that holds its centre, moved wholly onto it; none when no
// screen does (that screen is gone).
std::optional<QRect> keptOnScreens(const QRect& saved, const QList<QRect>& screens);

} // namespace ordalis::layout
