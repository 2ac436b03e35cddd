// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The day the term started, as the teacher sets it in 课堂记录: the start of "本学期" there and
// of the term 轮流 counts the calls of.

#include <QDate>
#include <QString>

namespace ordalis {

// Its key in the data folder's history settings (history.ini).
inline const QString TermStartKey = QStringLiteral("History/TermStart");

// The day kept in the settings file, or until one is set the term's usual start before
// `today`: September 1st or February 1st.
QDate readTermStart(const QString& settingsIni, const QDate& today);

} // namespace ordalis
