// SPDX-License-Identifier: GPL-3.0-or-later
// The fairness sentence of a period's draws: a fair draw of the engine itself is found uniform,
// a rigged list is not, and a handful of draws is too few to say.

#include "draw/DrawEngine.h"
#include "draw/DrawFairness.h"
#include "history/ClassHistory.h"

#include <QtTest>

using namespace ordalis;

class DrawFairnessTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sentenceForFairRiggedAndFewDraws() {
        // 2,000 stops of "所有" on a class of 45, the engine seeded.
        QStringList names;
        for (int i = 0; i < 45; ++i)
            names << QStringLiteral("学生%1").arg(i);
        QRandomGenerator seeded(20261209);
        DrawEngine engine(&seeded);
        DrawEngine::Kinds kinds;
        kinds[0] = names;
        engine.setKinds(kinds);
        QList<int> calls(names.size(), 0);
        for (int draw = 0; draw < 2000; ++draw) {
            QVERIFY(engine.start(0));
            for (int steps = 0; steps < 7; ++steps)
                engine.step();
            ++calls[names.indexOf(engine.stop()->name)];
        }
        const FairnessTest fair = testFairness(calls);
        QCOMPARE(fair.verdict, FairnessTest::Verdict::Uniform);
        QCOMPARE(fair.degreesOfFreedom, 44);
        QVERIFY(fairnessSentence(fair, QStringLiteral("本学期"))
                    .startsWith(QStringLiteral(
                        "本学期共抽取 2000 次，各学生被抽中次数与均匀抽取相符（χ² = ")));

        // One student called three times as often as each of the others.
        QList<int> rigged(45, 40);
        rigged[7] = 120;
        const FairnessTest unfair = testFairness(rigged);
        QCOMPARE(unfair.verdict, FairnessTest::Verdict::NotUniform);
        QCOMPARE(fairnessSentence(unfair, QStringLiteral("本月")),
                 QStringLiteral("本月共抽取 1880 次，各学生被抽中次数与均匀抽取不符（χ² = 149.8，"
                                "自由度 44，p < 0.001）"));

        QCOMPARE(testFairness(QList<int>(45, 2)).verdict, FairnessTest::Verdict::TooFewDraws);
        QCOMPARE(
            fairnessSentence(testFairness({3, 1, 0}), QStringLiteral("本节课")),
            QStringLiteral("本节课共抽取 4 次，次数还太少，不能判断各学生被抽中的次数是否均匀"));
    }

    // Each day's draws are judged among the students there that day: a fair draw among five
    // of six is fair, and a draw that passes over one of those present names them.
    void absentStudentsAreNoPartOfTheirDaysDraws() {
        const QStringList roster = {QStringLiteral("赵一"), QStringLiteral("钱二"),
                                    QStringLiteral("孙三"), QStringLiteral("李四"),
                                    QStringLiteral("周五"), QStringLiteral("吴六")};
        const QDate monday(2026, 11, 30);
        const auto absentOn = [&](const QDate& day) {
            // 吴六 is away all week; 赵一 on Monday, marked after one draw stopped on them.
            return day == monday ? QStringList{QStringLiteral("吴六"), QStringLiteral("赵一")}
                                 : QStringList{QStringLiteral("吴六")};
        };
        QRandomGenerator seeded(20261210);
        auto history = [&](bool passOverLi) {
            ClassHistory term(QStringLiteral("一班"), roster, {monday, monday.addDays(4)});
            QStringList calls;
            const auto call = [&](const QString& name, const QDate& day) {
                calls << QStringList{name, day.toString(Qt::ISODate) + QStringLiteral(" 09:00:00"),
                                     QStringLiteral("所有")}
                             .join(u'\t');
            };
            call(QStringLiteral("赵一"), monday);
            for (int day = 0; day < 5; ++day)
                for (int draw = 0; draw < 200; ++draw) {
                    QStringList present = roster.mid(day == 0 ? 1 : 0, day == 0 ? 4 : 5);
                    if (passOverLi)
                        present.removeAll(QStringLiteral("李四"));
                    call(present[seeded.bounded(int(present.size()))], monday.addDays(day));
                }
            term.addServiceCalls(calls.join(QStringLiteral("\r\n")));
            const ClassHistory::DrawCounts counts = term.drawCounts(absentOn);
            return std::pair(testFairness(counts.calls, counts.expected),
                             fairnessSentence(testFairness(counts.calls, counts.expected),
                                              QStringLiteral("本周"), roster));
        };
        const auto [fair, fairSentence] = history(false);
        QCOMPARE(fair.verdict, FairnessTest::Verdict::Uniform);
        QCOMPARE(fair.degreesOfFreedom, 4); // 吴六 could never be drawn
        QCOMPARE(fair.draws, 1001);
        QVERIFY2(fair.chiSquare < 13.3, qPrintable(fairSentence)); // p > 0.01 at 4 df

        const auto [unfair, unfairSentence] = history(true);
        QCOMPARE(unfair.verdict, FairnessTest::Verdict::NotUniform);
        QVERIFY2(unfairSentence.endsWith(QStringLiteral("；抽中偏少：李四（0次，应有%1次）")
                                             .arg(unfair.expected[3], 0, 'f', 1)),
                 qPrintable(unfairSentence));
    }

    void pValueAgreesWithTheTable() {
        // Chi-square critical values: p = 0.05 at 3.841 (1 df), 0.01 at 23.209 (10 df), 0.5
        // at 43.335 (44 df).
        QVERIFY(qAbs(upperRegularizedGamma(0.5, 3.841 / 2) - 0.05) < 1e-3);
        QVERIFY(qAbs(upperRegularizedGamma(5, 23.209 / 2) - 0.01) < 1e-4);
        QVERIFY(qAbs(upperRegularizedGamma(22, 43.335 / 2) - 0.5) < 1e-3);
        QCOMPARE(upperRegularizedGamma(3, 0), 1.0);
    }
};

QTEST_GUILESS_MAIN(DrawFairnessTest)
#include "tst_draw_fairness.moc"
