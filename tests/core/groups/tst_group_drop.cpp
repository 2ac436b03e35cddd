// SPDX-License-Identifier: GPL-3.0-or-later
#include "groups/GroupDrop.h"

#include <QtTest>

using namespace ordalis;

namespace {
const QString A = QStringLiteral("甲"), B = QStringLiteral("乙"), C = QStringLiteral("丙"),
              D = QStringLiteral("丁"), M = QStringLiteral("李明");
} // namespace

class GroupDropTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void betweenGroupsInsertsBeforeTheEntryUnderThePointer() {
        GroupLists lists;
        lists[0] = {A, M};
        lists[3] = {B, C, D};
        QCOMPARE(dropGroupEntry(lists, {0, 1}, 3, 1), 1);
        QCOMPARE(lists[3], (QStringList{B, M, C, D}));
        QCOMPARE(lists[0], QStringList{A});
    }

    void belowTheLastEntryAppends() {
        GroupLists lists;
        lists[0] = {A, B};
        lists[5] = {C};
        QCOMPARE(dropGroupEntry(lists, {0, 0}, 5, -1), 1);
        QCOMPARE(lists[5], (QStringList{C, A}));
        QCOMPARE(lists[0], QStringList{B});
        // An empty group takes the name as its first entry.
        QCOMPARE(dropGroupEntry(lists, {0, 0}, 9, -1), 0);
        QCOMPARE(lists[9], QStringList{B});
        QVERIFY(lists[0].isEmpty());
    }

    void withinOneList_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("selected");
        QTest::newRow("first onto third moves down") << 0 << 2 << QStringList{B, A, C, D} << 2;
        QTest::newRow("third onto first moves to the top")
            << 2 << 0 << QStringList{C, A, B, D} << 0;
        QTest::newRow("onto itself changes nothing") << 1 << 1 << QStringList{A, B, C, D} << 1;
        QTest::newRow("below the last moves to the end") << 0 << -1 << QStringList{B, C, D, A} << 3;
    }
    void withinOneList() {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(QStringList, after);
        QFETCH(int, selected);
        GroupLists lists;
        lists[2] = {A, B, C, D};
        QCOMPARE(dropGroupEntry(lists, {2, from}, 2, onto), selected);
        QCOMPARE(lists[2], after);
    }

    void nothingMovesWithoutAPressedName() {
        GroupLists lists;
        lists[1] = {A};
        const GroupLists before = lists;
        QCOMPARE(dropGroupEntry(lists, {}, 1, 0), -1);
        QCOMPARE(dropGroupEntry(lists, {1, 4}, 2, -1), -1);
        QCOMPARE(dropGroupEntry(lists, {1, 0}, 16, -1), -1);
        lists[7] = {QString()};
        QCOMPARE(dropGroupEntry(lists, {7, 0}, 1, -1), -1);
        lists[7].clear();
        QVERIFY(lists == before);
    }
};

QTEST_GUILESS_MAIN(GroupDropTest)
#include "tst_group_drop.moc"
