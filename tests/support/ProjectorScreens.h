// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two projector screens for the offscreen platform, side by side at 96 dpi: 1920×1080 (the
// primary) and 1366×768. Called before the QApplication exists, so that a window made full
// screen takes a projector's size.

#include <QSize>

namespace ordalis::test {

inline constexpr QSize FullHdScreen{1920, 1080};
inline constexpr QSize LaptopScreen{1366, 768};

// False when the platform is not offscreen or the screens could not be described.
bool useOffscreenProjectorScreens();

} // namespace ordalis::test
