// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The roll-call draw on the draw panel: the engine over the chosen class's categories, the
// roll timer that steps the draw every 5 ms and shows the name it is on once a frame of the
// screen, and the category buttons. A stop calls as many students as the panel's draw count
// asks for. Whether a draw rolls is the engine's state, never a button's caption.

#include "draw/DrawEngine.h"

#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QTimer;

namespace ordalis {

class DrawPanel;

class DrawController : public QObject {
    Q_OBJECT

public:
    static constexpr int RollIntervalMs = 5;

    explicit DrawController(DrawPanel* panel, QObject* parent = nullptr);

    const DrawEngine& engine() const { return m_engine; }
    // A draw is started and not yet stopped (its timer may be paused meanwhile).
    bool isRolling() const { return m_engine.isStarted(); }

    // A class was chosen: its categories replace the old ones.
    void setKinds(const DrawEngine::Kinds& kinds);
    // The same class with fresher figures: the lesson's calls stay.
    void refreshKinds(const DrawEngine::Kinds& kinds);
    // Who 轮流 draws among, asked at each of its starts; unset, 轮流 draws nobody.
    void setTurnPool(std::function<QStringList()> pool) { m_turnPool = std::move(pool); }
    // No class: any draw ends without a call and every category button is disabled.
    void clear();
    // A category button (or 轮流) was clicked: starts a draw there, or stops the one rolling
    // there.
    void toggle(int category);
    // The presenter's keys: a rolling draw stops; otherwise one starts on the category used
    // last ("所有" at first), or on "未点".
    void toggleLastCategory();
    void toggleNotYetCalled();
    // One roll step: the timer runs it while a draw rolls.
    void rollStep();
    // The timer stops; the draw stays started, and its button stops it later.
    void pause();
    // A student called from the quick-pick list leaves "未点" for "已点".
    void callByHand(const QString& name);

Q_SIGNALS:
    void rollStarted(int category);
    // The draw ended, on a student or not (a stop, or the class cleared while rolling).
    void rollStopped();
    // The draw stopped on a student.
    void called(const QString& name);
    // The draw stopped on several different students, shown on the board; the first is chosen.
    void calledSeveral(const QStringList& names);

private:
    void start(int category);
    void stop(int category);
    // Each draw button enabled exactly when it has anybody to draw.
    void enableDrawButtons();
    void refreshCategories();
    void stopOrStart(int category);

    DrawPanel* m_panel;
    DrawEngine m_engine;
    QTimer* m_rollTimer;
    QString m_stepped;          // the name the draw is on, shown or not yet
    QElapsedTimer m_sinceShown; // since a rolling name was last shown
    qint64 m_frameNs = 0;       // the screen's frame
    int m_lastCategory = AllStudents;
    std::function<QStringList()> m_turnPool;
};

} // namespace ordalis
