// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/DrawEngine.h"

#include <QtTest>

using namespace ordalis;

namespace {

DrawEngine::Kinds kindsWith(std::initializer_list<std::pair<int, QStringList>> lists) {
    DrawEngine::Kinds kinds;
    for (const auto& [category, names] : lists)
        kinds[category] = names;
    return kinds;
}

QStringList names(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("学生%1").arg(i);
    return list;
}

} // namespace

class DrawEngineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPositionIsEquallyLikely() {
        QRandomGenerator generator(20200302);
        DrawEngine engine(&generator);
        engine.setKinds(kindsWith({{AllStudents, names(40)}}));
        QVERIFY(engine.start(AllStudents));

        constexpr int draws = 40000;
        QHash<QString, int> seen;
        QVector<int> atPosition(40);
        for (int i = 0; i < draws; ++i) {
            seen[engine.step()]++;
            atPosition[engine.award()]++;
        }
        QCOMPARE(seen.size(), 40); // every name is drawn
        // Chi-square over 40 positions (39 degrees of freedom); 72.05 is the 0.1 % bound. The
        // first and the last student weigh as much as the others (a rounded r × (n − 1) would
        // give them half as many calls and fail this by far).
        const double expected = double(draws) / 40;
        double chiSquare = 0;
        for (int count : atPosition)
            chiSquare += (count - expected) * (count - expected) / expected;
        QVERIFY2(chiSquare < 72.05, qPrintable(QString::number(chiSquare)));
        QVERIFY(atPosition.first() > expected * 0.85);
        QVERIFY(atPosition.last() > expected * 0.85);
    }

    void defaultGeneratorDrawsTheWholePool() {
        DrawEngine engine;
        engine.setKinds(kindsWith({{AllStudents, names(2)}}));
        QVERIFY(engine.start(AllStudents));
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i)
            seen.insert(engine.step());
        QCOMPARE(seen.size(), 2);
    }

    void poolOfOneAlwaysShowsThatName() {
        DrawEngine engine;
        engine.setKinds(kindsWith({{NotYetCalled, {QStringLiteral("李明")}}}));
        QVERIFY(engine.start(NotYetCalled));
        for (int i = 0; i < 20; ++i)
            QCOMPARE(engine.step(), QStringLiteral("李明"));
    }

    void startIsRefusedForEmptyCategoriesAndWhileRolling() {
        DrawEngine engine;
        engine.setKinds(kindsWith({{AllStudents, {QStringLiteral("甲")}}}));
        QVERIFY(!engine.start(AlreadyCalled));
        QVERIFY(!engine.start(12));
        QVERIFY(!engine.start(-1));
        QVERIFY(engine.start(AllStudents));
        QVERIFY(!engine.start(AllStudents));
        QCOMPARE(engine.startedCategory(), int(AllStudents));
    }

    // 轮流 rolls among the pool it is given and leaves every category but "已点" as it was.
    void turnDrawsFromItsPool() {
        DrawEngine engine;
        const DrawEngine::Kinds kinds =
            kindsWith({{AllStudents, names(3)}, {NotYetCalled, names(3)}});
        engine.setKinds(kinds);
        QVERIFY(!engine.startTurn({}));
        QVERIFY(engine.startTurn({names(3)[1]}));
        QVERIFY(!engine.start(AllStudents));
        QCOMPARE(engine.step(), names(3)[1]);
        const std::optional<DrawEngine::Called> called = engine.stop();
        QCOMPARE(called->category, TurnButton);
        QCOMPARE(called->name, names(3)[1]);
        DrawEngine::Kinds after = kinds;
        after[AlreadyCalled] = QStringList{names(3)[1]};
        QCOMPARE(engine.kinds(), after);

        // Several at once from its pool: all called, no category but "已点" touched.
        QVERIFY(engine.startTurn(names(3)));
        const std::optional<DrawEngine::CalledSeveral> several = engine.stopSeveral(3);
        QCOMPARE(several->names.size(), 3);
        after[AlreadyCalled] = QStringList{names(3)[1]};
        for (const QString& name : several->names)
            if (!after[AlreadyCalled].contains(name))
                after[AlreadyCalled] << name;
        QCOMPARE(engine.kinds(), after);
    }

    void stopBookkeeping_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<QStringList>("notYet");
        QTest::addColumn<QStringList>("few");
        const QString a = QStringLiteral("甲"), b = QStringLiteral("乙");
        // 甲 is the only name of the drawn category, so the draw is known.
        QTest::newRow("所有 keeps every list") << 0 << QStringList{a, b} << QStringList{a};
        QTest::newRow("未点 moves its last name to 已点") << 1 << QStringList{} << QStringList{a};
        QTest::newRow("很少 loses the name, 未点 keeps it")
            << 4 << QStringList{a, b} << QStringList{};
    }

    void stopBookkeeping() {
        QFETCH(int, category);
        QFETCH(QStringList, notYet);
        QFETCH(QStringList, few);
        const QString a = QStringLiteral("甲"), b = QStringLiteral("乙");
        DrawEngine::Kinds kinds = kindsWith(
            {{AllStudents, {a, b}}, {NotYetCalled, {a, b}}, {AlreadyCalled, {b}}, {4, {a}}});
        kinds[category] = {a};
        DrawEngine engine;
        engine.setKinds(kinds);
        QVERIFY(engine.start(category));
        QCOMPARE(engine.step(), a);
        const auto called = engine.stop();
        QVERIFY(called);
        QCOMPARE(called->name, a);
        QVERIFY(!engine.isStarted());
        QCOMPARE(engine.kind(NotYetCalled), notYet);
        QCOMPARE(engine.kind(AlreadyCalled), (QStringList{b, a}));
        QCOMPARE(engine.kind(4), few);
        QCOMPARE(engine.kind(AllStudents), (category == 0 ? QStringList{a} : QStringList{a, b}));
    }

    void drawnAgainFromAnotherCategoryJoinsCalledOnce() {
        const QString a = QStringLiteral("甲");
        DrawEngine engine;
        engine.setKinds(kindsWith({{AllStudents, {a}}, {NotYetCalled, {a}}, {5, {a}}}));
        QVERIFY(engine.start(NotYetCalled));
        QVERIFY(engine.stop());
        QVERIFY(engine.start(5));
        QVERIFY(engine.stop());
        QCOMPARE(engine.kind(AlreadyCalled), QStringList{a});
        QVERIFY(!engine.hasNames(NotYetCalled));
        QVERIFY(!engine.hasNames(5));
        QCOMPARE(engine.kind(AllStudents), QStringList{a});
    }

    void stopOnCalledChangesNoList() {
        const QString a = QStringLiteral("甲"), b = QStringLiteral("乙");
        DrawEngine engine;
        engine.setKinds(kindsWith({{AlreadyCalled, {a, b}}}));
        QVERIFY(engine.start(AlreadyCalled));
        engine.step();
        QVERIFY(engine.stop());
        QCOMPARE(engine.kind(AlreadyCalled), (QStringList{a, b}));
    }

    void stopBeforeAnyStepActsOnThisPool() {
        // A stop right after the start (no tick yet) must not remove a position left over
        // from the previous, longer pool.
        QRandomGenerator generator(7);
        DrawEngine engine(&generator);
        engine.setKinds(kindsWith({{AllStudents, names(30)}, {4, {QStringLiteral("唯一")}}}));
        QVERIFY(engine.start(AllStudents));
        for (int i = 0; i < 50 && engine.award() < 5; ++i)
            engine.step();
        QVERIFY(engine.stop());
        QVERIFY(engine.start(4));
        const auto called = engine.stop();
        QVERIFY(called);
        QCOMPARE(called->name, QStringLiteral("唯一"));
        QVERIFY(!engine.hasNames(4));
    }

    // A stop on several: different students of the pool, the rolled one first, each booked as a
    // single stop books its one; a smaller pool gives all it has.
    void stopSeveral_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("four of 所有") << int(AllStudents) << 4 << 4;
        QTest::newRow("eight of 所有") << int(AllStudents) << 8 << 8;
        QTest::newRow("eight of 未点, which holds six") << int(NotYetCalled) << 8 << 6;
        QTest::newRow("three of 很少, which holds two") << 4 << 3 << 2;
        QTest::newRow("five of 已点") << int(AlreadyCalled) << 5 << 5;
        QTest::newRow("one is a single stop") << int(NotYetCalled) << 1 << 1;
    }

    void stopSeveral() {
        QFETCH(int, category);
        QFETCH(int, count);
        QFETCH(int, expected);
        const QStringList all = names(12);
        const QStringList called = all.mid(0, 6);
        DrawEngine::Kinds kinds = kindsWith({{AllStudents, all},
                                             {NotYetCalled, all.mid(6)},
                                             {AlreadyCalled, called},
                                             {4, {all[1], all[7]}}});
        // A name twice in the roster is still one student to call.
        kinds[AllStudents] << all[3];
        QRandomGenerator generator(quint32(category * 10 + count));
        DrawEngine engine(&generator);
        engine.setKinds(kinds);
        QVERIFY(engine.start(category));
        const QString rolled = engine.step();
        const auto drawn = engine.stopSeveral(count);
        QVERIFY(drawn);
        QCOMPARE(drawn->category, category);
        QCOMPARE(drawn->names.size(), expected);
        QCOMPARE(drawn->names.first(), rolled);
        QCOMPARE(QSet<QString>(drawn->names.begin(), drawn->names.end()).size(), expected);
        QVERIFY(!engine.isStarted());
        for (const QString& name : drawn->names) {
            QVERIFY(kinds[category].contains(name));
            QCOMPARE(engine.kind(AlreadyCalled).count(name), 1);
            const bool keeps = category == AllStudents || category == AlreadyCalled;
            QCOMPARE(engine.kind(category).contains(name), keeps);
        }
        QCOMPARE(engine.kind(AllStudents), kinds[AllStudents]);
        QCOMPARE(engine.kind(AlreadyCalled).mid(0, 6), called);
    }

    // Over many stops of three out of ten, every student is among them as often.
    void stopSeveralDrawsEveryStudentAlike() {
        QRandomGenerator generator(20260301);
        DrawEngine engine(&generator);
        QHash<QString, int> among;
        constexpr int stops = 6000;
        for (int i = 0; i < stops; ++i) {
            engine.setKinds(kindsWith({{AllStudents, names(10)}}));
            QVERIFY(engine.start(AllStudents));
            const auto drawn = engine.stopSeveral(3);
            for (const QString& name : drawn->names)
                among[name]++;
        }
        // Chi-square over 10 students (9 degrees of freedom); 27.88 is the 0.1 % bound.
        const double expected = stops * 3.0 / 10;
        double chiSquare = 0;
        for (int count : std::as_const(among))
            chiSquare += (count - expected) * (count - expected) / expected;
        QCOMPARE(among.size(), 10);
        QVERIFY2(chiSquare < 27.88, qPrintable(QString::number(chiSquare)));
    }

    void callByHandMovesFromNotYetToCalled() {
        const QString a = QStringLiteral("甲"), b = QStringLiteral("乙");
        DrawEngine engine;
        engine.setKinds(kindsWith({{AllStudents, {a, b}}, {NotYetCalled, {a, b}}}));
        QVERIFY(engine.callByHand(b));
        QCOMPARE(engine.kind(NotYetCalled), QStringList{a});
        QCOMPARE(engine.kind(AlreadyCalled), QStringList{b});
        QVERIFY(!engine.callByHand(b));
        QVERIFY(!engine.callByHand(QStringLiteral("外人")));
        QCOMPARE(engine.kind(AlreadyCalled), QStringList{b});
    }
};

QTEST_GUILESS_MAIN(DrawEngineTest)
#include "tst_draw_engine.moc"
