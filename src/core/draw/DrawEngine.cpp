// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawEngine.h"

#include <array>

namespace ordalis {

namespace {

QRandomGenerator* sharedGenerator() {
    // Seeded once from the operating system's secure source; never re-seeded from the clock,
    // which at a 5 ms tick would repeat the same few seeds.
    static QRandomGenerator generator = [] {
        std::array<quint32, 8> seed;
        QRandomGenerator::system()->fillRange(seed.data(), seed.size());
        return QRandomGenerator(seed.data(), seed.size());
    }();
    return &generator;
}

} // namespace

QString drawButtonCaption(int button) {
    static const QStringList captions{
        QStringLiteral("所有"), QStringLiteral("未点"), QStringLiteral("已点"),
        QStringLiteral("从未"), QStringLiteral("很少"), QStringLiteral("较少"),
        QStringLiteral("较多"), QStringLiteral("很多"), QStringLiteral("较易"),
        QStringLiteral("中等"), QStringLiteral("较难"), QStringLiteral("很难"),
        QStringLiteral("手动"), QStringLiteral("轮流")};
    return captions.value(button);
}

std::optional<int> categoryOfCaption(const QString& caption) {
    for (int category = 0; category < DrawCategoryCount; ++category)
        if (drawButtonCaption(category) == caption)
            return category;
    return std::nullopt;
}

DrawEngine::DrawEngine(QRandomGenerator* generator)
    : m_generator(generator ? generator : sharedGenerator()) {}

void DrawEngine::setKinds(const Kinds& kinds) {
    m_kinds = kinds;
    m_category = -1;
    m_award = -1;
}

void DrawEngine::refreshKinds(const Kinds& fresh) {
    if (isStarted())
        return;
    const QStringList called = m_kinds[AlreadyCalled];
    m_kinds = fresh;
    m_kinds[AlreadyCalled].clear();
    m_kinds[NotYetCalled].clear();
    // Who is no longer in the class (gone, or marked absent) is in neither list.
    for (const QString& name : called) {
        if (fresh[AllStudents].contains(name))
            m_kinds[AlreadyCalled] << name;
    }
    for (const QString& name : fresh[AllStudents]) {
        if (!called.contains(name))
            m_kinds[NotYetCalled] << name;
    }
}

void DrawEngine::clear() {
    setKinds(Kinds{});
}

bool DrawEngine::start(int category) {
    if (isStarted() || category < 0 || category >= DrawCategoryCount || m_kinds[category].isEmpty())
        return false;
    m_pool = m_kinds[category];
    m_category = category;
    m_award = -1;
    return true;
}

bool DrawEngine::startTurn(const QStringList& pool) {
    if (isStarted() || pool.isEmpty())
        return false;
    m_pool = pool;
    m_category = TurnButton;
    m_award = -1;
    return true;
}

QString DrawEngine::step() {
    if (m_pool.isEmpty())
        return QString();
    m_award = int(m_generator->bounded(quint32(m_pool.size())));
    return m_pool.at(m_award);
}

std::optional<DrawEngine::Called> DrawEngine::stop() {
    if (!isStarted())
        return std::nullopt;
    if (m_award < 0)
        step();
    const Called called{m_category, m_pool.at(m_award)};
    if (!m_kinds[AlreadyCalled].contains(called.name))
        m_kinds[AlreadyCalled].append(called.name);
    if (called.category != AllStudents && called.category != AlreadyCalled &&
        called.category < DrawCategoryCount) {
        QStringList& drawn = m_kinds[called.category];
        if (m_award < drawn.size())
            drawn.removeAt(m_award);
    }
    m_category = -1;
    return called;
}

std::optional<DrawEngine::CalledSeveral> DrawEngine::stopSeveral(int count) {
    const QStringList pool = m_pool;
    const std::optional<Called> first = stop();
    if (!first)
        return std::nullopt;
    CalledSeveral called{first->category, {first->name}};
    if (count <= 1)
        return called; // a draw of one, as most are: no list of the others
    QStringList others = pool;
    others.removeAll(first->name);
    others.removeDuplicates(); // two students of one name are one name to call
    while (called.names.size() < count && !others.isEmpty()) {
        const QString name = others.takeAt(int(m_generator->bounded(quint32(others.size()))));
        bookCalled(called.category, name);
        called.names << name;
    }
    return called;
}

void DrawEngine::bookCalled(int category, const QString& name) {
    if (!m_kinds[AlreadyCalled].contains(name))
        m_kinds[AlreadyCalled].append(name);
    // 轮流 has no list of its own.
    if (category != AllStudents && category != AlreadyCalled && category < DrawCategoryCount)
        m_kinds.at(category).removeOne(name);
}

bool DrawEngine::callByHand(const QString& name) {
    const qsizetype at = m_kinds[NotYetCalled].indexOf(name);
    if (at < 0)
        return false;
    m_kinds[NotYetCalled].removeAt(at);
    m_kinds[AlreadyCalled].append(name);
    return true;
}

} // namespace ordalis
