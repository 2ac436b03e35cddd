// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenPlace.h"

namespace ordalis::layout {

QRect centredOnScreen(const QRect& available, const QSize& frame) {
    const QSize size = frame.boundedTo(available.size());
    QRect placed(QPoint(), size);
    placed.moveCenter(available.center());
    return placed;
}

} // namespace ordalis::layout
