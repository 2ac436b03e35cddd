// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window geometry is planned in twips (1/1440 inch) so the window keeps its proportions on a
// projector and on a high-density screen; widgets get pixels at the boundary.

#include <QRect>
#include <cmath>

namespace ordalis::twips {

constexpr int PerInch = 1440;

inline int toPixels(double twips, double logicalDpi) {
    return int(std::lround(twips * logicalDpi / PerInch));
}

inline double fromPixels(int pixels, double logicalDpi) {
    return pixels * PerInch / logicalDpi;
}

inline QRect toPixels(const QRect& twipsRect, double logicalDpi) {
    return QRect(toPixels(twipsRect.x(), logicalDpi), toPixels(twipsRect.y(), logicalDpi),
                 toPixels(twipsRect.width(), logicalDpi), toPixels(twipsRect.height(), logicalDpi));
}

} // namespace ordalis::twips
