// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupStatistics.h"

#include "session/Blanks.h"
#include "text/WireText.h"
#include "wire/ScoreLine.h"

#include <cmath>
#include <limits>

namespace ordalis {
namespace {

const QChar Tab = u'\t';

// Adds a score to a total, rounding the sum to an integer with halves to the even integer;
// sums beyond the 64-bit range stay at its ends instead of wrapping.
qint64 addRounded(qint64 total, double score) {
    const double sum = std::nearbyint(static_cast<double>(total) + score); // ties to even
    constexpr double limit = 9.2e18;
    if (std::isnan(sum))
        return total;
    if (sum >= limit)
        return static_cast<qint64>(limit);
    if (sum <= -limit)
        return -static_cast<qint64>(limit);
    return static_cast<qint64>(sum);
}

// total / count in hundredths, rounded with halves to the even digit, computed exactly.
__int128 hundredthsHalfEven(qint64 total, qint64 count) {
    const __int128 numerator = static_cast<__int128>(total) * 100;
    __int128 quotient = numerator / count;
    __int128 remainder = numerator % count;
    if (remainder < 0)
        remainder = -remainder;
    const __int128 twice = remainder * 2;
    if (twice > count || (twice == count && quotient % 2 != 0))
        quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

// a/b > c/d for positive b and d, without rounding.
bool averageGreater(const GroupStanding& a, const GroupStanding& b) {
    return static_cast<__int128>(a.total) * b.members.size() >
           static_cast<__int128>(b.total) * a.members.size();
}

} // namespace

QString GroupStanding::averageText() const {
    if (members.isEmpty())
        return QString();
    return shortestDecimal(static_cast<double>(hundredthsHalfEven(total, members.size())) / 100.0);
}

QString GroupStanding::line() const {
    QString memberText;
    for (const QString& member : members)
        memberText += u' ' + member;
    return QStringLiteral("第%1名 %2").arg(place).arg(groupName(group)) + Tab +
           QStringLiteral("%1/%2=%3分").arg(total).arg(members.size()).arg(averageText()) + Tab +
           trimSpaces(contributors) + Tab + memberText;
}

QList<GroupStanding> computeGroupStandings(const QStringList& pendingLines,
                                           const GroupLists& groups) {
    QList<GroupStanding> all;
    for (int g = NoGroup + 1; g < GroupCount; ++g)
        all.append(GroupStanding{g, 0, groups[g], QString(), 0});

    for (const QString& line : pendingLines) {
        const ScoreLine scored = ScoreLine::fromText(line);
        const QString& student = scored.student;
        const double score = leadingNumber(scored.score);
        for (GroupStanding& standing : all) {
            for (const QString& member : standing.members) {
                if (member != student)
                    continue;
                standing.total = addRounded(standing.total, score);
                if (!standing.contributors.contains(student))
                    standing.contributors += u' ' + student;
            }
        }
    }

    QList<GroupStanding> listed;
    for (const GroupStanding& standing : all) {
        if (standing.total == 0)
            continue;
        GroupStanding placed = standing;
        placed.place = 1;
        for (const GroupStanding& other : all) {
            if (other.total >= 1 && averageGreater(other, standing))
                ++placed.place;
        }
        listed.append(placed);
    }
    return listed;
}

StandingDetail splitStandingLine(const QString& line) {
    const QStringList parts = line.split(Tab);
    return StandingDetail{parts.value(0), parts.value(1), parts.value(2),
                          trimSpaces(parts.value(3))};
}

} // namespace ordalis
