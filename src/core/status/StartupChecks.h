// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks of the first tick: the computer's clock against the score service's, and the
// version the maker's site offers.

#include <QDateTime>
#include <QString>
#include <optional>

namespace ordalis {

// Service times at or before this moment (2013-03-15, wire time) are taken as no time at all.
constexpr qint64 EarliestServiceTime = 1363276800;
constexpr qint64 ClockTolerance = 300;

// The warning to show when the service's clock (the leading number of the servertime reply)
// and the computer's differ by more than five minutes; nothing when they agree or the reply is
// no time. The service answers Unix seconds, which is the wire-time scale of a UTC+8 clock; it
// is compared with the computer's absolute time, so a computer outside UTC+8 is never warned
// merely for its time zone. The text shows the service's time on the wire scale and the
// computer's local time.
std::optional<QString> clockWarning(const QString& serverTimeReply, const QDateTime& now);

// The version in a maker's site reply "Tumbrel:2.8"; nothing for a reply without the prefix.
std::optional<QString> offeredVersion(const QString& reply);

} // namespace ordalis
