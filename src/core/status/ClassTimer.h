// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-second tick of the main window: counts the ticks since start-up (the first one runs
// the clock and version checks) and drives the class timer the teacher starts and stops.

#include <QString>

namespace ordalis {

class ClassTimer {
public:
    static constexpr int MaxSeconds = 32767; // 09:06:07; the count stays there until restarted

    // One tick. True when this tick is the first since start-up.
    bool tick();
    // Starts the class timer from 0, or freezes its display when it runs.
    void toggle();

    bool running() const { return m_running; }
    int seconds() const { return m_seconds; }

    // "hh:mm:ss" of the count, as in 00:01:05.
    QString clockText() const;
    // "mm:ss" within the hour, as in 01:05; 00:00 again after each full hour.
    QString minuteText() const;

private:
    int m_ticks = 0;
    int m_seconds = 0; // counts whether or not it is shown
    bool m_running = false;
};

} // namespace ordalis
