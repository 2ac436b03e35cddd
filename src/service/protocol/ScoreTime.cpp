// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/ScoreTime.h"

#include "text/WireText.h"

#include <QDateTime>

namespace ordalis::service {

namespace {

// The number of `count` digits at `at`, or -1.
int digitsAt(QStringView text, qsizetype at, qsizetype count) {
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return -1;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return value;
}

// "yyyy-MM-dd HH:mm:ss" naming a real day and time; read by hand, as an upload has hundreds.
bool isWallClockText(QStringView text) {
    if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ' ||
        text[13] != u':' || text[16] != u':')
        return false;
    const int year = digitsAt(text, 0, 4);
    // Date and time are checked apart: a wall-clock text needs no time zone to be valid.
    return year >= 0 && QDate::isValid(year, digitsAt(text, 5, 2), digitsAt(text, 8, 2)) &&
           QTime::isValid(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
}

} // namespace

std::optional<QDate> dayField(const QString& text) {
    if (text.isEmpty())
        return QDate();
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    const QDate day(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

QString badDayText(const QString& text) {
    return QStringLiteral("日期“%1”不正确，应写作yyyy-mm-dd").arg(text);
}

QString canonicalScoreTime(const QString& text) {
    const QString trimmed = text.trimmed();
    if (isWallClockText(trimmed))
        return trimmed;
    const qint32 seconds = dateToSeconds(trimmed);
    return seconds != 0 ? secondsToDate(seconds) : QString();
}

} // namespace ordalis::service
