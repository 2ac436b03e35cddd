// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window opens, in pixels: centred over the window it comes from (or over the screen)
// and entirely on that screen's available area (without its panels), so that no button touches
// or passes an edge.

#include <QRect>

namespace ordalis::layout {

// The frame of a window of that frame size, centred over `over`, shrunk to fit the area and
// moved onto it where it would pass an edge.
QRect centredOver(const QRect& available, const QRect& over, const QSize& frame);

} // namespace ordalis::layout
