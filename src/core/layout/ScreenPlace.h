// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window opens on a screen, in pixels: centred on the screen's available area (without
// its panels) and entirely on it, so that no button touches or passes an edge.

#include <QRect>

namespace ordalis::layout {

// The frame of a window of that frame size, centred on the area and shrunk to fit it.
QRect centredOnScreen(const QRect& available, const QSize& frame);

} // namespace ordalis::layout
