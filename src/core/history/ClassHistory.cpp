// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassHistory.h"

#include "draw/DrawEngine.h"
#include "pinyin/Initials.h"
#include "text/WireText.h"
#include "wire/CallLine.h"
#include "wire/CallRecord.h"
#include "wire/LineFields.h"
#include "wire/ReplyLines.h"
#include "wire/ScoreLine.h"
#include "wire/ScoreRecord.h"

#include <algorithm>

namespace ordalis {

bool DateRange::contains(const QString& time) const {
    const QDate day = QDate::fromString(time.left(10), Qt::ISODate);
    return day.isValid() && (!from.isValid() || day >= from) && (!to.isValid() || day <= to);
}

DateRange periodRange(HistoryPeriod period, const QDate& today, const QDate& termStart,
                      const QDate& from, const QDate& to) {
    switch (period) {
    case HistoryPeriod::Lesson:
        return {today, today};
    case HistoryPeriod::Week:
        return {today.addDays(1 - today.dayOfWeek()), today};
    case HistoryPeriod::Month:
        return {QDate(today.year(), today.month(), 1), today};
    case HistoryPeriod::Term:
        return {termStart, today};
    case HistoryPeriod::Dates:
        break;
    }
    return {from, to};
}

QString periodName(HistoryPeriod period) {
    switch (period) {
    case HistoryPeriod::Lesson:
        return QStringLiteral("本节课");
    case HistoryPeriod::Week:
        return QStringLiteral("本周");
    case HistoryPeriod::Month:
        return QStringLiteral("本月");
    case HistoryPeriod::Term:
        return QStringLiteral("本学期");
    case HistoryPeriod::Dates:
        break;
    }
    return QStringLiteral("所选日期");
}

ClassHistory::ClassHistory(QString className, QStringList roster, DateRange range)
    : m_class(std::move(className))
    , m_roster(std::move(roster))
    , m_range(range) {}

void ClassHistory::addCall(workbook::CallEntry call) {
    if (m_range.contains(call.time))
        m_calls.append(std::move(call));
}

void ClassHistory::addScore(workbook::ScoreEntry score) {
    if (m_range.contains(score.time))
        m_scores.append(std::move(score));
}

// A call line without its third field is no call; a score line without its time (the fourth)
// falls outside every period.
void ClassHistory::addServiceCalls(const QString& reply) {
    for (const QString& text : replyLines(reply)) {
        if (fieldCount(text) < 3)
            continue;
        const CallRecord call = CallRecord::fromText(text);
        addCall({call.student, call.time, call.how});
    }
}

void ClassHistory::addServiceScores(const QString& reply) {
    for (const QString& text : replyLines(reply)) {
        const ScoreRecord score = ScoreRecord::fromText(text);
        addScore(
            {score.student, score.time, leadingNumber(score.value), score.topic, score.standard});
    }
}

void ClassHistory::addPendingCalls(const QStringList& callLines) {
    for (const QString& text : callLines) {
        const CallLine call = CallLine::fromText(text);
        if (fieldCount(text) >= 4 && call.className == m_class)
            addCall({call.student, call.time, call.how});
    }
}

void ClassHistory::addPendingScores(const QStringList& scoreLines, const QString& topic) {
    for (const QString& text : scoreLines) {
        const ScoreLine line = ScoreLine::fromText(text);
        if (line.className == m_class)
            addScore({line.student, line.time, leadingNumber(line.score), topic, line.standard});
    }
}

QList<StudentHistory> ClassHistory::students() const {
    return workbook::summarize(m_roster, m_calls, m_scores);
}

workbook::ClassWorkbook ClassHistory::workbook() const {
    QList<workbook::ScoreEntry> scores = m_scores;
    std::stable_sort(scores.begin(), scores.end(),
                     [](const auto& a, const auto& b) { return a.time < b.time; });
    return {m_class, m_range.from, m_range.to, students(), scores};
}

ClassHistory::DrawCounts
ClassHistory::drawCounts(const std::function<QStringList(const QDate& day)>& absentOn) const {
    const QString everybody = drawButtonCaption(0);
    DrawCounts counts{QList<int>(m_roster.size(), 0), QList<double>(m_roster.size(), 0)};
    QMap<QDate, QList<qsizetype>> drawnByDay; // roster indexes
    for (const workbook::CallEntry& call : m_calls) {
        const qsizetype index = m_roster.indexOf(call.student);
        if (index >= 0 && call.how == everybody) {
            ++counts.calls[index];
            drawnByDay[QDate::fromString(call.time.left(10), Qt::ISODate)].append(index);
        }
    }
    for (auto day = drawnByDay.cbegin(); day != drawnByDay.cend(); ++day) {
        const QStringList absentNames = absentOn ? absentOn(day.key()) : QStringList();
        QList<bool> present(m_roster.size());
        for (qsizetype i = 0; i < m_roster.size(); ++i)
            present[i] = !absentNames.contains(m_roster[i]);
        const auto presentCount = qsizetype(std::count(present.cbegin(), present.cend(), true));
        for (const qsizetype drawn : *day) {
            // A student marked absent after being drawn was there for this draw.
            const qsizetype among = presentCount + (present[drawn] ? 0 : 1);
            for (qsizetype i = 0; i < m_roster.size(); ++i)
                if (present[i] || i == drawn)
                    counts.expected[i] += 1.0 / double(among);
        }
    }
    return counts;
}

QMap<QDate, double> ClassHistory::meanByDate(const QString& student) const {
    QMap<QDate, std::pair<double, int>> sums;
    for (const workbook::ScoreEntry& score : m_scores) {
        if (!student.isEmpty() && score.student != student)
            continue;
        auto& [total, count] = sums[QDate::fromString(score.time.left(10), Qt::ISODate)];
        total += score.value;
        ++count;
    }
    QMap<QDate, double> means;
    for (auto it = sums.cbegin(); it != sums.cend(); ++it)
        means.insert(it.key(), it->first / it->second);
    return means;
}

bool matchesSearch(const QString& name, const QString& search) {
    const QString typed = search.trimmed();
    return typed.isEmpty() || name.contains(typed, Qt::CaseInsensitive) ||
           getInitials(name).contains(typed, Qt::CaseInsensitive);
}

QString callSpreadSentence(const QList<StudentHistory>& students, const QString& period) {
    if (students.isEmpty())
        return QString();
    const auto [fewest, most] = std::ranges::minmax(
        students, {}, [](const StudentHistory& student) { return student.calls; });
    return QStringLiteral("%1被点次数：最少 %2 次，最多 %3 次")
        .arg(period)
        .arg(fewest.calls)
        .arg(most.calls);
}

} // namespace ordalis
