// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawController.h"

#include "draw/DrawPanel.h"

#include <QScreen>
#include <QTimer>

namespace ordalis {

DrawController::DrawController(DrawPanel* panel, QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_rollTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("drawController"));
    m_rollTimer->setObjectName(QStringLiteral("Timer1"));
    m_rollTimer->setTimerType(Qt::PreciseTimer);
    m_rollTimer->setInterval(RollIntervalMs);
    connect(m_rollTimer, &QTimer::timeout, this, &DrawController::rollStep);
    connect(m_panel, &DrawPanel::categoryClicked, this, &DrawController::toggle);
}

void DrawController::setKinds(const DrawEngine::Kinds& kinds) {
    m_engine.setKinds(kinds);
    m_panel->clearDrawnNames();
    m_panel->setCategoryEnabled(ManualButton, true);
    refreshCategories();
}

void DrawController::refreshKinds(const DrawEngine::Kinds& kinds) {
    if (m_engine.isStarted())
        return;
    m_engine.refreshKinds(kinds);
    enableDrawButtons();
}

void DrawController::clear() {
    const bool wasRolling = m_engine.isStarted();
    if (wasRolling)
        m_panel->setCategoryRolling(m_engine.startedCategory(), false);
    m_rollTimer->stop();
    m_engine.clear();
    m_panel->clearDrawnNames();
    if (wasRolling)
        Q_EMIT rollStopped();
    enableDrawButtons(); // every list is empty now
}

void DrawController::enableDrawButtons() {
    for (int i = 0; i < DrawCategoryCount; ++i)
        m_panel->setCategoryEnabled(i, m_engine.canDraw(i));
    m_panel->setCategoryEnabled(TurnButton, m_engine.canDraw(TurnButton));
}

void DrawController::refreshCategories() {
    enableDrawButtons();
    m_panel->enableQuickPick();
}

void DrawController::toggle(int category) {
    if ((category < 0 || category >= DrawCategoryCount) && category != TurnButton)
        return;
    if (m_engine.isStarted() && m_engine.startedCategory() == category)
        stop(category);
    else
        start(category);
}

void DrawController::toggleLastCategory() {
    stopOrStart(m_lastCategory);
}

void DrawController::toggleNotYetCalled() {
    stopOrStart(NotYetCalled);
}

void DrawController::stopOrStart(int category) {
    if (m_engine.isStarted())
        stop(m_engine.startedCategory());
    else
        start(category);
}

void DrawController::start(int category) {
    const bool started = category == TurnButton
                             ? m_engine.startTurn(m_turnPool ? m_turnPool() : QStringList())
                             : m_engine.start(category);
    if (!started)
        return;
    m_lastCategory = category;
    m_panel->clearDrawnNames();
    Q_EMIT rollStarted(category);
    m_panel->setCategoryRolling(category, true);
    for (int i = 0; i < DrawCategoryCount; ++i)
        m_panel->setCategoryEnabled(i, i == category);
    m_panel->setCategoryEnabled(TurnButton, category == TurnButton);
    // A class chosen while rolling would mix two classes' lists.
    m_panel->setClassBoxEnabled(false);
    // No screen shows more than a name a frame: the rest of the steps pick, unseen.
    const QScreen* screen = m_panel->screen();
    const double hertz =
        screen != nullptr && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
    m_frameNs = qint64(1e9 / hertz);
    m_sinceShown.invalidate();
    m_stepped.clear();
    m_rollTimer->start();
    m_panel->focusCategory(category);
}

void DrawController::rollStep() {
    m_stepped = m_engine.step();
    if (m_sinceShown.isValid() && m_sinceShown.nsecsElapsed() < m_frameNs)
        return;
    m_sinceShown.start();
    m_panel->showName(m_stepped);
}

void DrawController::stop(int category) {
    m_panel->setCategoryRolling(category, false);
    m_rollTimer->stop();
    const std::optional<DrawEngine::CalledSeveral> stopped =
        m_engine.stopSeveral(m_panel->drawCount());
    m_panel->setClassBoxEnabled(true);
    Q_EMIT rollStopped();
    if (!stopped)
        return;
    // A pool of one calls its one as a single draw does.
    if (stopped->names.size() > 1) {
        m_panel->showDrawnNames(stopped->names);
        Q_EMIT calledSeveral(stopped->names);
    } else {
        Q_EMIT called(stopped->names.first());
    }
    refreshCategories();
    m_panel->focusCategory(category);
}

void DrawController::pause() {
    m_rollTimer->stop();
    if (m_engine.isStarted() && !m_stepped.isEmpty())
        m_panel->showName(m_stepped); // the name a stop then calls
}

void DrawController::callByHand(const QString& name) {
    m_engine.callByHand(name);
}

} // namespace ordalis
