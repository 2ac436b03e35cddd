// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowKeys.h"

#include <Qt>

namespace ordalis {

MainWindowKey mainWindowKey(int key, bool textBoxFocused, bool projector) {
    switch (key) {
    case Qt::Key_F11:
        return projector ? MainWindowKey::LeaveProjector : MainWindowKey::EnterProjector;
    case Qt::Key_F5:
        return projector ? MainWindowKey::None : MainWindowKey::EnterProjector;
    case Qt::Key_Escape:
        return projector ? MainWindowKey::LeaveProjector : MainWindowKey::None;
    case Qt::Key_F9:
        return MainWindowKey::OpenHistory;
    case Qt::Key_F12:
        return MainWindowKey::ToggleOverlay;
    default:
        break;
    }
    if (textBoxFocused)
        return MainWindowKey::None;
    if (projector && drawCountOfKey(key) > 0)
        return MainWindowKey::ChooseDrawCount;
    switch (key) {
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        return MainWindowKey::DrawLastCategory;
    case Qt::Key_PageUp:
        return MainWindowKey::DrawNotYetCalled;
    case Qt::Key_B:
    case Qt::Key_Period:
        return MainWindowKey::BlankName;
    default:
        return MainWindowKey::None;
    }
}

int drawCountOfKey(int key) {
    return key >= Qt::Key_1 && key <= Qt::Key_8 ? key - Qt::Key_0 : 0;
}

} // namespace ordalis
