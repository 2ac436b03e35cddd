// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawFairness.h"

#include <cmath>
#include <limits>

namespace ordalis {

namespace {

constexpr int MaxIterations = 500;
constexpr double Epsilon = 1e-14;

// P(a, x) by its series, for x < a + 1.
double lowerBySeries(double a, double x) {
    double term = 1 / a;
    double sum = term;
    for (int n = 1; n < MaxIterations; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::abs(term) < std::abs(sum) * Epsilon)
            break;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Q(a, x) by its continued fraction (Lentz's method), for x >= a + 1.
double upperByFraction(double a, double x) {
    constexpr double Tiny = std::numeric_limits<double>::min() / Epsilon;
    double b = x + 1 - a;
    double c = 1 / Tiny;
    double d = 1 / b;
    double h = d;
    for (int n = 1; n < MaxIterations; ++n) {
        const double an = -n * (n - a);
        b += 2;
        d = an * d + b;
        if (std::abs(d) < Tiny)
            d = Tiny;
        c = b + an / c;
        if (std::abs(c) < Tiny)
            c = Tiny;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::abs(step - 1) < Epsilon)
            break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

QString decimal(double value, int digits) {
    return QString::number(value, 'f', digits);
}

} // namespace

double upperRegularizedGamma(double a, double x) {
    if (x <= 0)
        return 1;
    return x < a + 1 ? 1 - lowerBySeries(a, x) : upperByFraction(a, x);
}

FairnessTest testFairness(const QList<int>& calls) {
    FairnessTest test;
    for (const int count : calls)
        test.draws += count;
    const qsizetype students = calls.size();
    if (students < 2 || test.draws == 0)
        return test;
    const double expected = double(test.draws) / double(students);
    test.degreesOfFreedom = int(students - 1);
    for (const int count : calls)
        test.chiSquare += (count - expected) * (count - expected) / expected;
    test.p = upperRegularizedGamma(test.degreesOfFreedom / 2.0, test.chiSquare / 2);
    if (expected < FairnessTest::MinimumExpected)
        test.verdict = FairnessTest::Verdict::TooFewDraws;
    else
        test.verdict = test.p < FairnessTest::Significance ? FairnessTest::Verdict::NotUniform
                                                           : FairnessTest::Verdict::Uniform;
    return test;
}

QString fairnessSentence(const FairnessTest& test, const QString& period) {
    const QString p =
        test.p < 0.001 ? QStringLiteral("p < 0.001") : QStringLiteral("p = ") + decimal(test.p, 2);
    const QString figures = QStringLiteral("（χ² = %1，自由度 %2，%3）")
                                .arg(decimal(test.chiSquare, 1))
                                .arg(test.degreesOfFreedom)
                                .arg(p);
    const QString draws = QStringLiteral("%1共抽取 %2 次，").arg(period).arg(test.draws);
    switch (test.verdict) {
    case FairnessTest::Verdict::TooFewDraws:
        return draws + QStringLiteral("次数还太少，不能判断各学生被抽中的次数是否均匀");
    case FairnessTest::Verdict::Uniform:
        return draws + QStringLiteral("各学生被抽中次数与均匀抽取相符") + figures;
    case FairnessTest::Verdict::NotUniform:
        return draws + QStringLiteral("各学生被抽中次数与均匀抽取不符") + figures;
    }
    return {};
}

} // namespace ordalis
