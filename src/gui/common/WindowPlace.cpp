// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlace.h"

#include "layout/ScreenPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace ordalis {

QMargins frameMarginsOf(const QWidget* window, const QMargins& fallback) {
    const QWindow* handle = window->windowHandle();
    const QMargins margins = handle != nullptr ? handle->frameMargins() : QMargins();
    return margins.isNull() ? fallback : margins;
}

void placeOver(QWidget* window, const QWidget* over) {
    // Sized as its first show would size it.
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QWidget* anchor = over->window();
    const QMargins anchorMargins = frameMarginsOf(anchor);
    // A hidden window keeps the place it had; its frame is what it was when shown.
    const QRect anchorFrame = anchor->geometry().marginsAdded(anchorMargins);
    const QScreen* screen = QGuiApplication::screenAt(anchorFrame.center());
    if (screen == nullptr)
        screen = anchor->screen();
    const QMargins margins = frameMarginsOf(window, anchorMargins);
    const QRect frame = layout::centredOver(screen->availableGeometry(), anchorFrame,
                                            window->size().grownBy(margins));
    // The inside's own place: Qt takes a move() of a window it has created but not mapped yet
    // for the inside's, which would stand the frame a title bar too high.
    window->setGeometry(frame.marginsRemoved(margins));
}

} // namespace ordalis
