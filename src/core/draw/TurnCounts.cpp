// SPDX-License-Identifier: GPL-3.0-or-later
#include "TurnCounts.h"

#include "wire/CallLine.h"
#include "wire/CallRecord.h"
#include "wire/LineFields.h"
#include "wire/ReplyLines.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace ordalis {

namespace {

// Each call as often as the one of the two that has it more.
void keepMost(QHash<QString, int>& into, const QHash<QString, int>& from) {
    for (auto call = from.cbegin(); call != from.cend(); ++call)
        into[call.key()] = std::max(into.value(call.key()), call.value());
}

} // namespace

TurnCounts::TurnCounts(QString className, QDate from, QDate to)
    : m_class(std::move(className))
    , m_from(from)
    , m_to(to) {}

void TurnCounts::add(Source source, const QString& student, const QString& time,
                     const QString& how) {
    const QDate day = QDate::fromString(QStringView(time).left(10), Qt::ISODate);
    if (student.isEmpty() || !day.isValid() || day < m_from || day > m_to)
        return;
    const QString call = student + u'\t' + time + u'\t' + how;
    const int before = timesKnown(call);
    const int now = ++m_calls[source][call];
    // The student's count follows at once; a source replaced whole is counted again instead.
    if (now > before)
        m_counts[student] += now - before;
}

int TurnCounts::timesKnown(const QString& call) const {
    int most = 0;
    for (const Calls& calls : m_calls)
        most = std::max(most, calls.value(call));
    return most;
}

void TurnCounts::setServiceCalls(const QString& reply) {
    m_calls[Service].clear();
    for (const QString& text : replyLines(reply)) {
        const CallRecord call = CallRecord::fromText(text);
        if (fieldCount(text) >= 3)
            add(Service, call.student, call.time, call.how);
    }
    m_hasServiceCalls = true;
    recount();
}

void TurnCounts::setPendingCalls(const QStringList& callLines) {
    // Calls are only ever appended between two uploads: then the new ones are read alone.
    const bool appended =
        callLines.size() >= m_pendingLines.size() &&
        std::equal(m_pendingLines.cbegin(), m_pendingLines.cend(), callLines.cbegin());
    const qsizetype firstNew = appended ? m_pendingLines.size() : 0;
    const Calls before = appended ? Calls() : std::exchange(m_calls[Pending], {});
    for (qsizetype i = firstNew; i < callLines.size(); ++i) {
        const QString& text = callLines.at(i);
        const CallLine call = CallLine::fromText(text);
        if (fieldCount(text) >= 4 && call.className == m_class)
            add(Pending, call.student, call.time, call.how);
    }
    m_pendingLines = callLines;
    if (appended)
        return;
    keepMost(m_calls[Pending], before);
    recount();
}

void TurnCounts::addLessonCall(const CallLine& call) {
    if (call.className != m_class)
        return;
    add(Lesson, call.student, call.time, call.how);
}

void TurnCounts::recount() {
    // A call is as often as the source that has it most: the lesson's calls are pending or
    // uploaded, and a batch whose answer was lost is both pending and kept by the service.
    Calls merged;
    for (const Calls& calls : m_calls)
        keepMost(merged, calls);
    m_counts.clear();
    for (auto call = merged.cbegin(); call != merged.cend(); ++call)
        m_counts[call.key().section(u'\t', 0, 0)] += call.value();
}

int TurnCounts::count(const QString& student) const {
    return m_counts.value(student) + m_starts.value(student);
}

int TurnCounts::fewest(const QStringList& present) const {
    if (present.isEmpty())
        return 0;
    int least = std::numeric_limits<int>::max();
    for (const QString& student : present)
        least = std::min(least, count(student));
    return least;
}

QStringList TurnCounts::pool(const QStringList& present) const {
    const int least = fewest(present);
    QStringList called;
    for (const QString& student : present)
        if (count(student) == least)
            called << student;
    return called;
}

QHash<QString, int> TurnCounts::withNewcomers(const QStringList& roster,
                                              const QHash<QString, int>& known) const {
    if (std::all_of(roster.cbegin(), roster.cend(),
                    [&known](const QString& student) { return known.contains(student); }))
        return known; // nobody new: the class of the last lesson
    // Counted with the known starts, which may not be the ones set yet.
    std::optional<int> level;
    for (const QString& student : roster)
        if (known.contains(student))
            level = std::min(level.value_or(std::numeric_limits<int>::max()),
                             m_counts.value(student) + known.value(student));
    QHash<QString, int> starts = known;
    for (const QString& student : roster)
        if (!known.contains(student))
            starts[student] = std::max(0, level.value_or(0) - m_counts.value(student));
    return starts;
}

} // namespace ordalis
