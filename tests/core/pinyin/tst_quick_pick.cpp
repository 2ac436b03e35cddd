// SPDX-License-Identifier: GPL-3.0-or-later
#include "pinyin/ManualPanelTabs.h"
#include "pinyin/QuickPick.h"

#include <QtTest>

using namespace ordalis;

namespace {

// Record lines by name: class, name, group, total, score, count.
StudentLineLookup lookupIn(const QHash<QString, StudentLine>& lines) {
    return [lines](const QString& name) { return lines.value(name); };
}

StudentLine fields(const QString& name, const QString& score, const QString& count) {
    return {QStringLiteral("一班"), name, QStringLiteral("0"), QStringLiteral("0"), score, count};
}

} // namespace

class QuickPickTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void resultLineCarriesCountAndScore() {
        QCOMPARE(quickPickLine(
                     QStringLiteral("李明"),
                     fields(QStringLiteral("李明"), QStringLiteral("4.5"), QStringLiteral("3"))),
                 QStringLiteral("李明\t[3次,4.5分]"));
        // No record line: the name with empty figures, never a failure.
        QCOMPARE(quickPickLine(QStringLiteral("李明"), {}), QStringLiteral("李明\t[次,分]"));
        QCOMPARE(quickPickName(QStringLiteral("李明\t[3次,4.5分]")), QStringLiteral("李明"));
    }

    void matchesNamesAndInitialsAnywhere_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names");
        const QStringList cls{QStringLiteral("张三丰"), QStringLiteral("李明"),
                              QStringLiteral("王李"), QStringLiteral("Tom"),
                              QStringLiteral("刘备")};
        QTest::newRow("character in any place")
            << QStringLiteral("李") << QStringList{cls[1], cls[2]};
        QTest::newRow("initial in any place")
            << QStringLiteral("L") << QStringList{cls[1], cls[2], cls[4]};
        QTest::newRow("inner initials") << QStringLiteral("SF") << QStringList{cls[0]};
        QTest::newRow("lower-case initials") << QStringLiteral("zs") << QStringList{cls[0]};
        QTest::newRow("name test is case-sensitive: To")
            << QStringLiteral("To") << QStringList{cls[3]};
        QTest::newRow("name test is case-sensitive: to") << QStringLiteral("to") << QStringList{};
        QTest::newRow("nothing") << QStringLiteral("QQ") << QStringList{};
    }
    void matchesNamesAndInitialsAnywhere() {
        QFETCH(QString, typed);
        QFETCH(QStringList, names);
        const QStringList cls{QStringLiteral("张三丰"), QStringLiteral("李明"),
                              QStringLiteral("王李"), QStringLiteral("Tom"),
                              QStringLiteral("刘备")};
        QStringList got;
        for (const QString& line : quickPickLines(QuickPickIndex(cls), typed, {}))
            got << quickPickName(line);
        QCOMPARE(got, names);
    }

    void fullLengthMatchesComeFirst() {
        const QStringList cls{QStringLiteral("李明亮"), QStringLiteral("李明"),
                              QStringLiteral("刘猛"), QStringLiteral("黎明")};
        const auto lookup =
            lookupIn({{QStringLiteral("李明"),
                       fields(QStringLiteral("李明"), QStringLiteral("4"), QStringLiteral("2"))}});
        const QStringList lines = quickPickLines(QuickPickIndex(cls), QStringLiteral("LM"), lookup);
        // Two-character names first, the last of them in class order at the very top.
        QCOMPARE(lines, (QStringList{
                            QStringLiteral("黎明\t[次,分]"), QStringLiteral("刘猛\t[次,分]"),
                            QStringLiteral("李明\t[2次,4分]"), QStringLiteral("李明亮\t[次,分]")}));
        QVERIFY(quickPickLines(QuickPickIndex(cls), QString(), lookup).isEmpty());
    }

    void manualTabsShowFourCategories() {
        std::array<QStringList, DrawCategoryCount> kinds;
        for (int i = 0; i < DrawCategoryCount; ++i)
            kinds[i] = {QStringLiteral("k%1").arg(i)};
        kinds[0] = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")};
        kinds[3] = {QStringLiteral("乙")};

        const ManualTabContents first = manualTab(0, kinds);
        QCOMPARE(first.captions[0], QStringLiteral("曾经被点"));
        QCOMPARE(first.captions[3], QStringLiteral("从未被点"));
        // Everybody except the never-scored students.
        QCOMPARE(first.names[0], (QStringList{QStringLiteral("甲"), QStringLiteral("丙")}));
        QCOMPARE(first.names[3], QStringList{QStringLiteral("乙")});

        const ManualTabContents second = manualTab(1, kinds);
        QCOMPARE(second.captions[0], QStringLiteral("很少"));
        QCOMPARE(second.names[3], QStringList{QStringLiteral("k7")});
        const ManualTabContents third = manualTab(2, kinds);
        QCOMPARE(third.captions[0], QStringLiteral("很易"));
        QCOMPARE(third.captions[1], QStringLiteral("较易"));
        QCOMPARE(third.names[3], QStringList{QStringLiteral("k11")});
        QCOMPARE(manualTabTitles(), (QStringList{QStringLiteral("常用"), QStringLiteral("次数"),
                                                 QStringLiteral("难度"), QStringLiteral("分组")}));
    }
};

QTEST_GUILESS_MAIN(QuickPickTest)
#include "tst_quick_pick.moc"
