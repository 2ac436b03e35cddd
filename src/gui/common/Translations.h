// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts in Chinese: the standard buttons of message boxes ("是", "否", "确定") and the
// file dialogs speak the program's language.

class QCoreApplication;

namespace ordalis {

// Loads Qt's Chinese translation from the system's Qt translations; false when it is missing
// (Qt then keeps its English texts).
bool installQtChinese(QCoreApplication& app);

} // namespace ordalis
