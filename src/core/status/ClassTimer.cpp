// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassTimer.h"

namespace ordalis {
namespace {

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

bool ClassTimer::tick() {
    if (m_ticks < MaxSeconds) // only the first tick matters; stay clear of overflow
        ++m_ticks;
    if (m_seconds < MaxSeconds)
        ++m_seconds;
    return m_ticks == 1;
}

void ClassTimer::toggle() {
    if (m_running) {
        m_running = false;
        return;
    }
    m_running = true;
    m_seconds = 0;
}

QString ClassTimer::clockText() const {
    return twoDigits(m_seconds / 3600) + u':' + minuteText();
}

QString ClassTimer::minuteText() const {
    const int withinHour = m_seconds % 3600;
    return twoDigits(withinHour / 60) + u':' + twoDigits(withinHour % 60);
}

} // namespace ordalis
