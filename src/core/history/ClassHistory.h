// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class's term at a glance: from the calls and scores of a period (the service's and those
// still pending on this computer), per student how often called and scored, the total and
// mean score and the last call; the counts the fairness test reads; the scores by date.

#include "workbook/ClassWorkbook.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace ordalis {

// The periods a teacher looks back on; the term runs from the start date the teacher set.
enum class HistoryPeriod { Lesson, Week, Month, Term, Dates };
struct DateRange {
    QDate from;
    QDate to;
    bool contains(const QString& time) const; // "yyyy-mm-dd hh:mm:ss"
};
// "本节课" is today; a week starts on Monday; `from` and `to` serve HistoryPeriod::Dates.
DateRange periodRange(HistoryPeriod period, const QDate& today, const QDate& termStart,
                      const QDate& from = {}, const QDate& to = {});
QString periodName(HistoryPeriod period); // "本节课", "本周", "本月", "本学期", "所选日期"

using StudentHistory = workbook::StudentSummary;

class ClassHistory {
public:
    // roster: the class's students in roster order.
    ClassHistory(QString className, QStringList roster, DateRange range);

    // "student TAB time TAB how" lines, as the service reads them back.
    void addServiceCalls(const QString& reply);
    // The service's score list of the class: "id TAB student TAB value TAB time TAB topic TAB
    // standard".
    void addServiceScores(const QString& reply);
    // Pending lines of this computer (CallLine and ScoreLine texts) of any class. A pending
    // score line holds no topic: it carries `topic`, the one its upload will send.
    void addPendingCalls(const QStringList& callLines);
    void addPendingScores(const QStringList& scoreLines, const QString& topic);

    QList<StudentHistory> students() const;
    struct DrawCounts {
        QList<int> calls;       // per student in roster order
        QList<double> expected; // what a fair draw among those present gives each
    };
    // Of the draws from categories that hold everyone: each day's draws are fair among the
    // students not marked absent that day (absentOn), and the one each stopped on.
    DrawCounts drawCounts(const std::function<QStringList(const QDate& day)>& absentOn) const;
    // The mean score per day of one student, or of the whole class for an empty name.
    QMap<QDate, double> meanByDate(const QString& student = {}) const;
    // The period as a workbook: the students' rows and every score, oldest first.
    workbook::ClassWorkbook workbook() const;

private:
    void addCall(workbook::CallEntry call);
    void addScore(workbook::ScoreEntry score);

    QString m_class;
    QStringList m_roster;
    DateRange m_range;
    QList<workbook::CallEntry> m_calls;
    QList<workbook::ScoreEntry> m_scores;
};

// The spread of the calls over the period: "本学期被点次数：最少 k 次，最多 m 次"; empty for a
// class without students.
QString callSpreadSentence(const QList<StudentHistory>& students, const QString& period);

// Whether a name passes the search box: a part of the name, or of its pinyin initials.
bool matchesSearch(const QString& name, const QString& search);

} // namespace ordalis
