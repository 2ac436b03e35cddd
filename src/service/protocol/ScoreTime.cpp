// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/ScoreTime.h"

#include "text/WireText.h"

#include <QDateTime>

namespace ordalis::service {

QString canonicalScoreTime(const QString& text) {
    const QString trimmed = text.trimmed();
    // Date and time are checked apart: a wall-clock text needs no time zone to be valid.
    if (trimmed.size() == 19 && trimmed[10] == u' ' &&
        QDate::fromString(trimmed.left(10), QStringLiteral("yyyy-MM-dd")).isValid() &&
        QTime::fromString(trimmed.mid(11), QStringLiteral("HH:mm:ss")).isValid())
        return trimmed;
    const qint32 seconds = dateToSeconds(trimmed);
    return seconds != 0 ? secondsToDate(seconds) : QString();
}

} // namespace ordalis::service
