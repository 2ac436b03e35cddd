// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class's term at a glance: from the calls and scores of a period (the service's and those
// still pending on this computer), per student how often called and scored, the total and
// mean score and the last call; the counts the fairness test reads; the scores by date.

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

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

struct StudentHistory {
    QString name;
    int calls = 0;
    int scores = 0;
    double total = 0;
    QString lastCalled; // time of the last call, empty if none
    double mean() const { return scores > 0 ? total / scores : 0; }
};

struct HistoryScore {
    QString student;
    QString time;
    double value = 0;
};

class ClassHistory {
public:
    // roster: the class's students in roster order.
    ClassHistory(QString className, QStringList roster, DateRange range);

    // "student TAB time TAB how" lines, as the service reads them back.
    void addServiceCalls(const QString& reply);
    // The service's score list of the class: "id TAB student TAB value TAB time TAB ...".
    void addServiceScores(const QString& reply);
    // Pending lines of this computer (CallLine and ScoreLine texts) of any class.
    void addPendingCalls(const QStringList& callLines);
    void addPendingScores(const QStringList& scoreLines);

    QList<StudentHistory> students() const;
    // Calls per student, in roster order, of the draws from categories that hold everyone.
    QList<int> drawCounts() const;
    // The mean score per day of one student, or of the whole class for an empty name.
    QMap<QDate, double> meanByDate(const QString& student = {}) const;

private:
    void addCall(const QString& student, const QString& time, const QString& how);
    void addScore(const QString& student, const QString& time, double value);

    QString m_class;
    QStringList m_roster;
    DateRange m_range;
    struct Call {
        QString student;
        QString time;
        QString how;
    };
    QList<Call> m_calls;
    QList<HistoryScore> m_scores;
};

// Whether a name passes the search box: a part of the name, or of its pinyin initials.
bool matchesSearch(const QString& name, const QString& search);

} // namespace ordalis
