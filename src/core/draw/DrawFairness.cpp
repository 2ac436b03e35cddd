// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawFairness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ordalis {

namespace {

constexpr int MaxIterations = 500;
constexpr double Epsilon = 1e-14;
constexpr qsizetype NamedAtMost = 3; // students named in the sentence, on each side

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

FairnessTest testFairness(const QList<int>& calls, QList<double> expected) {
    FairnessTest test;
    for (const int count : calls)
        test.draws += count;
    if (expected.isEmpty())
        expected.fill(calls.isEmpty() ? 0 : double(test.draws) / double(calls.size()),
                      calls.size());
    test.calls = calls;
    test.expected = expected;
    // Pearson residuals (O - E) / √E of the students who could be drawn.
    QList<std::pair<double, qsizetype>> residuals;
    double fewestExpected = std::numeric_limits<double>::max();
    for (qsizetype i = 0; i < calls.size(); ++i) {
        const double e = expected.value(i);
        if (e <= 0)
            continue;
        const double residual = (calls[i] - e) / std::sqrt(e);
        test.chiSquare += residual * residual;
        residuals.append({residual, i});
        fewestExpected = std::min(fewestExpected, e);
    }
    if (residuals.size() < 2 || test.draws == 0) {
        test.chiSquare = 0;
        return test;
    }
    test.degreesOfFreedom = int(residuals.size() - 1);
    test.p = upperRegularizedGamma(test.degreesOfFreedom / 2.0, test.chiSquare / 2);
    if (fewestExpected < FairnessTest::MinimumExpected) {
        test.verdict = FairnessTest::Verdict::TooFewDraws;
    } else if (test.p >= FairnessTest::Significance) {
        test.verdict = FairnessTest::Verdict::Uniform;
    } else {
        test.verdict = FairnessTest::Verdict::NotUniform;
        // A residual beyond ±3 is rare in a fair draw even among many students.
        std::sort(residuals.begin(), residuals.end());
        for (auto it = residuals.crbegin(); it != residuals.crend() && it->first > 3; ++it)
            if (test.overDrawn.size() < NamedAtMost)
                test.overDrawn.append(it->second);
        for (auto it = residuals.cbegin(); it != residuals.cend() && it->first < -3; ++it)
            if (test.underDrawn.size() < NamedAtMost)
                test.underDrawn.append(it->second);
    }
    return test;
}

QString drawCountText(const QString& name, int calls, double expected) {
    return QStringLiteral("%1：被抽中 %2 次，均匀抽取应有 %3 次")
        .arg(name)
        .arg(calls)
        .arg(decimal(expected, 1));
}

QString fairnessSentence(const FairnessTest& test, const QString& period,
                         const QStringList& names) {
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
    case FairnessTest::Verdict::NotUniform: {
        QString sentence = draws + QStringLiteral("各学生被抽中次数与均匀抽取不符") + figures;
        const auto named = [&](const QList<qsizetype>& students, const QString& lead) {
            QStringList parts;
            for (const qsizetype i : students)
                if (i < names.size())
                    parts << QStringLiteral("%1（%2次，应有%3次）")
                                 .arg(names[i])
                                 .arg(test.calls.value(i))
                                 .arg(decimal(test.expected.value(i), 1));
            if (!parts.isEmpty())
                sentence += lead + parts.join(QStringLiteral("、"));
        };
        named(test.overDrawn, QStringLiteral("；抽中偏多："));
        named(test.underDrawn, QStringLiteral("；抽中偏少："));
        return sentence;
    }
    }
    return {};
}

} // namespace ordalis
