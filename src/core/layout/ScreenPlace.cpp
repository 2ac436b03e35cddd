// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenPlace.h"

#include <algorithm>

namespace ordalis::layout {

QRect centredOver(const QRect& available, const QRect& over, const QSize& frame) {
    const QSize size = frame.boundedTo(available.size());
    QRect placed(QPoint(), size);
    placed.moveCenter(over.center());
    placed.moveLeft(
        std::clamp(placed.left(), available.left(), available.right() + 1 - size.width()));
    placed.moveTop(
        std::clamp(placed.top(), available.top(), available.bottom() + 1 - size.height()));
    return placed;
}

std::optional<QRect> keptOnScreens(const QRect& saved, const QList<QRect>& screens) {
    for (const QRect& available : screens) {
        if (available.contains(saved.center()))
            return centredOver(available, saved, saved.size());
    }
    return std::nullopt;
}

} // namespace ordalis::layout
