// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number a score or a standard counts for: the leading number of its text, within bounds
// that keep every total and average of a record a plain finite number.

#include <QString>
#include <optional>

namespace ordalis::service {

inline constexpr double MaxScoreMagnitude = 1000000;

// The leading number of the text ("3分" is 3, text without one is 0); nullopt when it is not
// finite or beyond ±MaxScoreMagnitude.
std::optional<double> scoreValue(QStringView text);
QString scoreOutOfRange(const QString& text);

} // namespace ordalis::service
