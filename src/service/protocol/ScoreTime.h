// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Score times are kept as the wall-clock text "yyyy-mm-dd hh:mm:ss" the program recorded.

#include <QString>

namespace ordalis::service {

// The text itself when it already has that form; another date form the wire-time reader
// accepts ("2013-3-15") in that form; empty for text that is no time.
QString canonicalScoreTime(const QString& text);

} // namespace ordalis::service
