// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsolePage.h"

namespace ordalis {

ConsolePage::ConsolePage(int index, const QString& caption, ConsoleActions& actions,
                         QWidget* parent)
    : QGroupBox(caption, parent)
    , m_actions(actions) {
    setObjectName(QStringLiteral("Frame_manage_%1").arg(index));
    hide();
}

} // namespace ordalis
