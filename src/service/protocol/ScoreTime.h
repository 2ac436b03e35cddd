// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Score times are kept as the wall-clock text "yyyy-mm-dd hh:mm:ss" the program recorded;
// the days a request names are read by one rule.

#include <QDate>
#include <QString>
#include <optional>

namespace ordalis::service {

// The text itself when it already has that form; another date form the wire-time reader
// accepts ("2013-3-15") in that form; empty for text that is no time.
QString canonicalScoreTime(const QString& text);

// A day field of a request ("from", "to"): empty for an open end (a null date), else a day
// that exists, written yyyy-mm-dd; nullopt for anything else, answered with badDayText().
std::optional<QDate> dayField(const QString& text);
QString badDayText(const QString& text);

} // namespace ordalis::service
