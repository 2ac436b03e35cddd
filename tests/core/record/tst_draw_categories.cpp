// SPDX-License-Identifier: GPL-3.0-or-later
// Sorting a class into the twelve draw categories and the sixteen group lists.
#include "record/DrawCategories.h"

#include <QtTest>

using namespace ordalis;

namespace {

ClassRoster rosterOf(const QList<std::pair<double, double>>& countsAndScores,
                     const QStringList& groups = {}) {
    ClassRoster roster;
    roster.name = QStringLiteral("一班");
    for (int i = 0; i < countsAndScores.size(); ++i) {
        StudentEntry student;
        student.className = roster.name;
        student.name = QStringLiteral("生%1").arg(i);
        student.count = countsAndScores[i].first;
        student.score = countsAndScores[i].second;
        student.group = groups.value(i, QStringLiteral("0"));
        roster.students.append(student);
    }
    return roster;
}

QStringList studentNames(std::initializer_list<int> numbers) {
    QStringList names;
    for (const int n : numbers)
        names << QStringLiteral("生%1").arg(n);
    return names;
}

} // namespace

class DrawCategoriesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void thresholdsSplitAtTheMean() {
        // Counts 0, 1, 2, 5, 7: Mean 3, Low 1 (from 0, 1, 2), High 6 (from 5, 7).
        const ClassSorting sorting = sortClass(rosterOf({{0, 3}, {1, 3}, {2, 3}, {5, 3}, {7, 3}}));
        QCOMPARE(sorting.mean, 3.0);
        QCOMPARE(sorting.low, 1.0);
        QCOMPARE(sorting.high, 6.0);
        QCOMPARE(sorting.kinds[NeverScored], studentNames({0}));
        QVERIFY(sorting.kinds[4].isEmpty()); // 1 is not below Low
        QCOMPARE(sorting.kinds[5], studentNames({1, 2}));
        QCOMPARE(sorting.kinds[6], studentNames({3}));
        QCOMPARE(sorting.kinds[7], studentNames({4}));
        QCOMPARE(sorting.kinds[AllStudents], studentNames({0, 1, 2, 3, 4}));
        QCOMPARE(sorting.kinds[NotYetCalled], sorting.kinds[AllStudents]);
        QVERIFY(sorting.kinds[AlreadyCalled].isEmpty());
    }

    void everyoneScoredEquallyIsCalledOften() {
        const ClassSorting sorting = sortClass(rosterOf({{3, 1}, {3, 1}, {3, 1}}));
        QCOMPARE(sorting.mean, 3.0);
        QCOMPARE(sorting.low, 0.0);
        QCOMPARE(sorting.high, 3.0);
        QCOMPARE(sorting.kinds[7].size(), 3);
        for (const int kind : {4, 5, 6})
            QVERIFY(sorting.kinds[kind].isEmpty());
    }

    void neverScoredClassFillsOnlyTheLessonLists() {
        const ClassSorting sorting = sortClass(rosterOf({{0, 5}, {0, 1}, {0, 0}}));
        QCOMPARE(sorting.kinds[NeverScored].size(), 3);
        for (int kind = 4; kind < DrawCategoryCount; ++kind)
            QVERIFY(sorting.kinds[kind].isEmpty());
        QCOMPARE(sorting.kinds[0].size(), 3);
        QCOMPARE(sorting.kinds[1].size(), 3);
    }

    void scoreBandsTakeTheHigherBandAtEachThreshold() {
        const ClassSorting sorting =
            sortClass(rosterOf({{1, 2}, {1, 3}, {1, 4}, {1, 1.99}, {1, 4.5}, {0, 1}}));
        QCOMPARE(sorting.kinds[8], studentNames({3}));
        QCOMPARE(sorting.kinds[9], studentNames({0}));
        QCOMPARE(sorting.kinds[10], studentNames({1}));
        QCOMPARE(sorting.kinds[11], studentNames({2, 4}));
    }

    void meanIsComputedInDoublePrecision() {
        // Counts 1, 1, 2: Mean 4/3, so 1 is below it and 2 is not; Low 1, High 2.
        const ClassSorting sorting = sortClass(rosterOf({{1, 3}, {1, 3}, {2, 3}}));
        QCOMPARE(sorting.mean, 4.0 / 3.0);
        QCOMPARE(sorting.kinds[5], studentNames({0, 1}));
        QCOMPARE(sorting.kinds[7], studentNames({2}));
    }

    void duplicateNamesStayTwoItems() {
        ClassRoster roster = rosterOf({{0, 0}, {2, 3}});
        roster.students[1].name = roster.students[0].name;
        const ClassSorting sorting = sortClass(roster);
        QCOMPARE(sorting.kinds[AllStudents],
                 (QStringList{QStringLiteral("生0"), QStringLiteral("生0")}));
        QCOMPARE(sorting.groups[0].size(), 2);
    }

    void emptyClassLeavesEveryListEmpty() {
        const ClassSorting sorting = sortClass(rosterOf({}));
        QCOMPARE(sorting.mean, 0.0);
        for (const QStringList& kind : sorting.kinds)
            QVERIFY(kind.isEmpty());
        for (const QStringList& group : sorting.groups)
            QVERIFY(group.isEmpty());
    }

    void groupsTakeOnlyWholeNumbersUpTo15() {
        const QStringList groups{QStringLiteral("0"),
                                 QStringLiteral("15"),
                                 QStringLiteral("16"),
                                 QStringLiteral("-1"),
                                 QStringLiteral("2.5"),
                                 QStringLiteral("abc"),
                                 QString(),
                                 QStringLiteral(" 7 "),
                                 QStringLiteral("07")};
        const ClassSorting sorting =
            sortClass(rosterOf(QList<std::pair<double, double>>(9, {0, 0}), groups));
        QCOMPARE(sorting.groups[0], studentNames({0}));
        QCOMPARE(sorting.groups[15], studentNames({1}));
        QCOMPARE(sorting.groups[7], studentNames({7, 8}));
        int grouped = 0;
        for (const QStringList& group : sorting.groups)
            grouped += group.size();
        QCOMPARE(grouped, 4);
        // Students without a valid group are still drawn.
        QCOMPARE(sorting.kinds[AllStudents].size(), 9);
        QCOMPARE(groupNumber(u"3"), 3);
        QCOMPARE(groupNumber(u"3分"), -1);
    }
};

QTEST_GUILESS_MAIN(DrawCategoriesTest)
#include "tst_draw_categories.moc"
