// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 4, 快捷方式管理: a box per shortcut; ticking it writes the shortcut, clearing it removes
// it. Entering the page ticks the boxes of the shortcuts present, which writes them anew for
// the running program. Where the program group and the menu are one menu entry, ticking one
// clears the other, and 创建所有 makes one entry.

#include "console/ConsolePage.h"
#include "console/platform/Shortcuts.h"

#include <array>

class QCheckBox;

namespace ordalis {

class ShortcutsPage : public ConsolePage {
    Q_OBJECT
public:
    ShortcutsPage(ConsoleActions& actions, QWidget* parent);

    void enter(const QStringList& classes, const QStringList& topics) override;

private:
    void setAll(bool ticked);
    // The program group for the applications menu, and the other way round.
    static int otherMenuPlace(int shortcut);

    std::array<QCheckBox*, shortcuts::Count> m_boxes{};
};

} // namespace ordalis
