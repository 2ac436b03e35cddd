// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's status bar with its five panels (version, offered version, credit line,
// class timer, maker's site), the one-second timer that drives the class timer and its label
// on the draw panel, and the clock and version checks of the first tick.

#include "status/ClassTimer.h"

#include <QDateTime>
#include <QObject>
#include <array>
#include <functional>

class QLabel;
class QStatusBar;
class QTimer;

namespace ordalis {

class ServiceConfig;
class ServiceEndpoints;

class StatusPanels : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // Fills the status bar; the timer starts with start(). classTimerLabel: the draw panel's
    // class timer (objectName Label30).
    StatusPanels(QStatusBar* bar, QLabel* classTimerLabel, ServiceEndpoints& service,
                 const ServiceConfig& config, QObject* parent = nullptr);

    // The computer's clock for the clock check; the system clock unless a test sets another.
    void setClock(Clock clock) { m_clock = std::move(clock); }
    void start();

    // A double-click on a panel, numbered 1 to 5 as the status bar numbers them.
    void doubleClickPanel(int number);
    const ClassTimer& classTimer() const { return m_classTimer; }

    // One tick of the one-second timer.
    void tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkClock();
    void checkVersion();

    QStatusBar* m_bar;
    QLabel* m_classTimerLabel;
    ServiceEndpoints& m_service;
    const ServiceConfig& m_config;
    Clock m_clock;
    ClassTimer m_classTimer;
    std::array<QLabel*, 5> m_panels{};
    QTimer* m_secondTimer;
};

} // namespace ordalis
