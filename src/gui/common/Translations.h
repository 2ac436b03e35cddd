// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts in Chinese: the standard buttons of message boxes ("是", "否", "确定") and the
// file dialogs (their labels, columns, file types, dates and sizes) speak the program's
// language.

class QCoreApplication;

namespace ordalis {

// Loads every Chinese catalogue of Qt in the system's Qt translations (qtbase and the other
// modules), the few texts of the file dialogs those catalogues lack, and makes Chinese the
// locale of dates and sizes; false when Qt's catalogues are missing (Qt then keeps its English
// texts).
bool installQtChinese(QCoreApplication& app);

} // namespace ordalis
