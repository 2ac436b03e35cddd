// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a period's draws treated every student alike: Pearson's chi-square test of the calls
// per student against what a fair draw among those present gives each, said in one sentence a
// class can read. Only draws from categories that hold everyone count (a draw from "未点" or a
// manual pick favours some students on purpose), and every student who could be drawn counts,
// called or not.

#include <QList>
#include <QString>
#include <QStringList>

namespace ordalis {

struct FairnessTest {
    enum class Verdict { TooFewDraws, Uniform, NotUniform };

    Verdict verdict = Verdict::TooFewDraws;
    int draws = 0;
    double chiSquare = 0;
    int degreesOfFreedom = 0;
    double p = 1;           // the chance of a deviation at least this large from a fair draw
    QList<int> calls;       // per student, as given
    QList<double> expected; // per student: what a fair draw gives each
    // Of a draw found not uniform, the students drawn far more or far less often than a fair
    // draw would (most of all first), as indexes of the counts.
    QList<qsizetype> overDrawn;
    QList<qsizetype> underDrawn;

    // The test needs an expected count of at least this per student to be trusted.
    static constexpr double MinimumExpected = 5;
    // Below this p the counts are called not uniform: rare enough (1 in 100) that a fair draw
    // is seldom accused.
    static constexpr double Significance = 0.01;
};

// calls: the number of draws that stopped on each student of the class; expected: the number
// a fair draw gives each (empty: the same for all); a student who could never be drawn
// (expected 0) is left out.
FairnessTest testFairness(const QList<int>& calls, QList<double> expected = {});

// "本学期共抽取 412 次，各学生被抽中次数与均匀抽取相符（χ² = 38.2，自由度 44，p = 0.72）", the
// period named as given ("本学期", "本周", …); of a draw not uniform, the students drawn far
// more or less often, by their names (in the order of the counts).
QString fairnessSentence(const FairnessTest& test, const QString& period,
                         const QStringList& names = {});
// "张三：被抽中 12 次，均匀抽取应有 5.0 次"
QString drawCountText(const QString& name, int calls, double expected);

// The upper regularised incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a): the p-value of a
// chi-square statistic x2 with k degrees of freedom is Q(k / 2, x2 / 2).
double upperRegularizedGamma(double a, double x);

} // namespace ordalis
