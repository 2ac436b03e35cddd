// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoring/GroupStatistics.h"

#include <QTest>

using namespace ordalis;

namespace {

QString pending(const QString& student, const QString& score) {
    return QStringLiteral("初一(1)班\t") + student + u'\t' + score +
           QStringLiteral("\t2026-03-01 10:00:00\t");
}

GroupLists groups(std::initializer_list<std::pair<int, QStringList>> filled) {
    GroupLists all;
    for (const auto& [index, names] : filled)
        all[index] = names;
    return all;
}

} // namespace

class GroupStatisticsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The students in no group (list 0) make no line, nor take a place from a group.
    void sharedPlacesAndLines() {
        const auto standings =
            computeGroupStandings({pending("甲", "5分"), pending("甲", "3分"), pending("丙", "4分"),
                                   pending("丁", "5分")},
                                  groups({{NoGroup, {"丁"}}, {1, {"甲", "乙"}}, {3, {"丙"}}}));
        QCOMPARE(standings.size(), 2);
        QCOMPARE(standings[0].line(), QStringLiteral("第1名 第1组\t8/2=4分\t甲\t 甲 乙"));
        QCOMPARE(standings[1].line(), QStringLiteral("第1名 第3组\t4/1=4分\t丙\t 丙"));
    }

    // Equal averages share a place and the next place numbers are skipped; a negative group
    // is listed but never counts against another one.
    void placesSkipAfterTiesAndIgnoreNegatives() {
        const auto standings = computeGroupStandings(
            {pending("a", "5"), pending("b", "5"), pending("c", "3"), pending("d", "-9")},
            groups({{2, {"a"}}, {5, {"b"}}, {7, {"c"}}, {9, {"d"}}}));
        QCOMPARE(standings.size(), 4);
        QCOMPARE(standings[0].group, 2);
        QCOMPARE(standings[0].place, 1);
        QCOMPARE(standings[1].place, 1);
        QCOMPARE(standings[2].place, 3);
        QCOMPARE(standings[3].group, 9);
        QCOMPARE(standings[3].place, 4);
        QCOMPARE(standings[3].line(), QStringLiteral("第4名 第9组\t-9/1=-9分\td\t d"));
    }

    void roundsHalfToEvenAtEveryAddition() {
        auto standings = computeGroupStandings({pending("a", "2.5分"), pending("a", "2.5分")},
                                               groups({{1, {"a"}}}));
        QCOMPARE(standings.value(0).total, qint64(4));

        // 13/4 = 3.25 exactly; 1/8 = 0.125 rounds to 0.12, 3/8 = 0.375 to 0.38, 2/3 to 0.67.
        standings =
            computeGroupStandings({pending("a", "13")}, groups({{1, {"a", "b", "c", "d"}}}));
        QCOMPARE(standings.value(0).averageText(), QStringLiteral("3.25"));
        standings = computeGroupStandings({pending("a", "1")}, groups({{1, QStringList(8, "a")}}));
        QCOMPARE(standings.value(0).total, qint64(8)); // a name listed 8 times counts 8 times
        GroupStanding eighth{0, 1, QStringList(8, "x"), QString(), 1};
        QCOMPARE(eighth.averageText(), QStringLiteral("0.12"));
        eighth.total = 3;
        QCOMPARE(eighth.averageText(), QStringLiteral("0.38"));
        eighth.total = -3;
        QCOMPARE(eighth.averageText(), QStringLiteral("-0.38"));
        GroupStanding third{0, 2, QStringList(3, "x"), QString(), 1};
        QCOMPARE(third.averageText(), QStringLiteral("0.67"));
    }

    void leavesOutZeroTotalsUnknownStudentsAndTextScores() {
        const auto standings = computeGroupStandings(
            {pending("a", "3分"), pending("a", "-3分"), pending("b", "优"), pending("外人", "5分")},
            groups({{1, {"a"}}, {2, {"b"}}, {3, {"c"}}}));
        QVERIFY(standings.isEmpty());
    }

    void contributorsUseTheSubstringRule() {
        const auto standings = computeGroupStandings({pending("李明亮", "1"), pending("李明", "1"),
                                                      pending("李明亮", "1"), pending("王", "1")},
                                                     groups({{4, {"李明亮", "李明", "王"}}}));
        QCOMPARE(standings.size(), 1);
        QCOMPARE(standings[0].contributors, QStringLiteral(" 李明亮 王"));
        QCOMPARE(splitStandingLine(standings[0].line()).contributors, QStringLiteral("李明亮 王"));
        QCOMPARE(splitStandingLine(standings[0].line()).members, QStringLiteral("李明亮 李明 王"));
    }

    // A total past 32767 keeps counting instead of wrapping to a negative number.
    void totalsDoNotWrap() {
        QStringList lines(700, pending("a", "50分"));
        const auto standings = computeGroupStandings(lines, groups({{1, {"a"}}}));
        QCOMPARE(standings.value(0).total, qint64(35000));
        QCOMPARE(standings.value(0).line(), QStringLiteral("第1名 第1组\t35000/1=35000分\ta\t a"));
        const auto huge =
            computeGroupStandings({pending("a", QString(30, u'9'))}, groups({{1, {"a"}}}));
        QVERIFY(huge.value(0).total > 0);
    }

    void splitsShortLinesIntoEmptyParts() {
        const StandingDetail detail = splitStandingLine(QStringLiteral("第1名"));
        QCOMPARE(detail.place, QStringLiteral("第1名"));
        QVERIFY(detail.score.isEmpty() && detail.contributors.isEmpty() &&
                detail.members.isEmpty());
    }
};

QTEST_GUILESS_MAIN(GroupStatisticsTest)
#include "tst_group_statistics.moc"
