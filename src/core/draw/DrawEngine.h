// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The roll-call draw over the twelve categories of the chosen class: the pool copied at the
// start, the position shown by each roll step, and the bookkeeping at the stop and at a call by
// hand. The engine knows no widgets or timers; the window drives it.

#include "record/DrawCategories.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace ordalis {

// "所有" .. "很难" for the twelve categories, "手动" for the thirteenth button, "轮流" for the
// fourteenth.
QString drawButtonCaption(int button);
// The category of a caption ("所有" .. "很难"); nothing for any other text, 手动 included.
std::optional<int> categoryOfCaption(const QString& caption);
inline const QString PauseCaption = QStringLiteral("暂停");
constexpr int ManualButton = 12;
constexpr int TurnButton = 13;

class DrawEngine {
public:
    using Kinds = std::array<QStringList, DrawCategoryCount>;

    // Without a generator the engine uses its own, seeded once from the system's secure source.
    explicit DrawEngine(QRandomGenerator* generator = nullptr);

    // A new class (or the record applied again): categories replaced, no draw running.
    void setKinds(const Kinds& kinds);
    // The same class sorted again from fresher figures (after an upload): the lesson's calls
    // stay, so "已点" is kept (of those still in the class) and "未点" is everybody not called
    // yet; the other categories are the fresh ones. Ignored while a draw is started.
    void refreshKinds(const Kinds& fresh);
    void clear();
    const Kinds& kinds() const { return m_kinds; }
    const QStringList& kind(int category) const { return m_kinds.at(category); }
    bool hasNames(int category) const { return !m_kinds.at(category).isEmpty(); }
    // Whether a draw button has anybody to draw: its category's list, or for 轮流 the
    // students present ("所有").
    bool canDraw(int button) const { return hasNames(button == TurnButton ? AllStudents : button); }

    // Copies the category into the pool. False (nothing changes) for an empty category, an
    // index outside 0..11, or while another draw is started.
    bool start(int category);
    // 轮流: a draw among the names it is given (those present called least this term), which
    // rolls and stops like a category's. False for an empty pool or while a draw is started.
    bool startTurn(const QStringList& pool);
    bool isStarted() const { return m_category >= 0; }
    int startedCategory() const { return m_category; }
    const QStringList& pool() const { return m_pool; }

    // One roll step: a position of the pool, every position equally likely; the name there.
    QString step();
    int award() const { return m_award; }

    struct Called {
        int category = -1;
        QString name;
    };
    // Ends the draw on the name last rolled (rolling once first if no step ran since the
    // start, so the stop never acts on a position of an earlier pool). The name joins
    // "已点" once; it leaves the drawn category unless that is "所有" or "已点" (or the draw was
    // 轮流, whose pool is no category).
    std::optional<Called> stop();

    struct CalledSeveral {
        int category = -1;
        QStringList names;
    };
    // Ends the draw on `count` different students of the pool, or on all of them when it holds
    // fewer: first the one stop() calls, then others drawn uniformly from the rest of the pool.
    // Each is booked as stop() books its one.
    std::optional<CalledSeveral> stopSeveral(int count);

    // A student called by hand from the quick-pick list leaves "未点" for "已点"; a name that is
    // not in "未点" changes nothing. True when the lists changed.
    bool callByHand(const QString& name);

private:
    void bookCalled(int category, const QString& name);

    QRandomGenerator* m_generator;
    Kinds m_kinds;
    QStringList m_pool;
    int m_category = -1;
    int m_award = -1;
};

} // namespace ordalis
