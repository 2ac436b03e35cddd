// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Escape leaves a panel or cancels a window: an Escape that no control inside the widget took
// for itself runs the action.

#include <QWidget>
#include <functional>

namespace ordalis {

void onEscape(QWidget* widget, std::function<void()> action);

} // namespace ordalis
