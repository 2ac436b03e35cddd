// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 轮流: how often each student of a class was called this term, and who is called next, so that
// nobody is called a second time before everybody was called once, and so on. The calls come
// from the service, from the calls pending on this computer and from this lesson; a call that
// two of them know (pending here and uploaded since) counts once. A student who joined
// the class after the term began starts at the count the class's fewest had then, so that a
// newcomer is not called over and over to catch up.

#include "wire/CallLine.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

namespace ordalis {

class TurnCounts {
public:
    TurnCounts() = default;
    // The class's term runs from `from` to `to`, both days included.
    TurnCounts(QString className, QDate from, QDate to);

    const QString& className() const { return m_class; }
    const QDate& to() const { return m_to; }

    // The service's calls of the class in the term: "student TAB time TAB how" lines. Until
    // they are given, the counts lack them.
    void setServiceCalls(const QString& reply);
    bool hasServiceCalls() const { return m_hasServiceCalls; }
    // The calls pending on this computer (CallLine texts of any class and day). One that was
    // pending before and is not now went with an upload: it still counts, as the service's
    // calls read before lack it.
    void setPendingCalls(const QStringList& callLines);
    // A call of this lesson: it still counts once an upload took it from the
    // pending calls and before the service's calls are read again.
    void addLessonCall(const CallLine& call);

    // The count each student started at who joined the class after the term began.
    void setStarts(const QHash<QString, int>& starts) { m_starts = starts; }
    // The starts of the students of `roster` that are not in `known`, each at the fewest count
    // of the known students of the roster; all zero when nobody is known (the class as the
    // term found it). The known starts are kept.
    QHash<QString, int> withNewcomers(const QStringList& roster,
                                      const QHash<QString, int>& known) const;

    // The student's calls this term and the count the student started at.
    int count(const QString& student) const;
    // The fewest count among `present` (0 for nobody) and those present who have it, in the
    // order given.
    int fewest(const QStringList& present) const;
    QStringList pool(const QStringList& present) const;

private:
    enum Source { Service, Pending, Lesson, SourceCount };
    // Per call (student TAB time TAB how), how often the source has it.
    using Calls = QHash<QString, int>;

    void add(Source source, const QString& student, const QString& time, const QString& how);
    // How often the source that has the call most has it.
    int timesKnown(const QString& call) const;
    void recount();

    QString m_class;
    QDate m_from;
    QDate m_to;
    std::array<Calls, SourceCount> m_calls;
    QStringList m_pendingLines; // as last given
    bool m_hasServiceCalls = false;
    QHash<QString, int> m_starts;
    QHash<QString, int> m_counts; // per student, of every source
};

} // namespace ordalis
