// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Totals of the pending scores per group: place, total, members, average, contributors. Nothing
// is sent or stored; the figures are recomputed from the pending lines and the group lists.

#include "groups/GroupLists.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace ordalis {

struct GroupStanding {
    int group = 0;        // 0 to 15
    qint64 total = 0;     // wide, so a long lesson of scores never wraps around
    QStringList members;  // the group list as it stands
    QString contributors; // scored members, each preceded by one space
    int place = 0;

    // The average per member rounded to 2 decimals, halves to the even digit, as shortest text.
    QString averageText() const;
    // "第1名 第3组" TAB "13/4=3.25分" TAB contributors TAB " 甲 乙 丙 丁".
    QString line() const;
};

// One standing per group whose total is not 0, in group order; the students in no group make
// no standing. Every pending line (ScoreLine
// text) counts, matched to the groups by the student name alone; a score adds its leading
// number, the total rounded to an integer (halves to even) after every addition.
QList<GroupStanding> computeGroupStandings(const QStringList& pendingLines,
                                           const GroupLists& groups);

// The parts of a statistics line for the detail panel: place, score, contributors, members
// (members trimmed). Missing parts are empty.
struct StandingDetail {
    QString place;
    QString score;
    QString contributors;
    QString members;
};
StandingDetail splitStandingLine(const QString& line);

} // namespace ordalis
