// SPDX-License-Identifier: GPL-3.0-or-later
// 轮流's counts from the service's, the pending and the lesson's calls of the term, and the
// pool of the fewest among those present, with the starts of students who joined later.

#include "draw/TurnCounts.h"

#include <QtTest>

using namespace ordalis;

namespace {

const QString ClassName = QStringLiteral("初一(1)班");
const QDate TermStart(2026, 9, 1);
const QDate Today(2026, 12, 10);

QString served(const QStringList& calls) {
    return calls.join(QStringLiteral("\r\n"));
}

// "student@time" as a pending or lesson line of the class.
QStringList callLines(const QStringList& calls, const QString& className = ClassName) {
    QStringList lines;
    for (const QString& call : calls)
        lines << QStringList{className, call.section(u'@', 0, 0), call.section(u'@', 1),
                             QStringLiteral("轮流")}
                     .join(u'\t');
    return lines;
}

QStringList serviceLines(const QStringList& calls) {
    QStringList lines;
    for (const QString& call : calls)
        lines << call.section(u'@', 0, 0) + u'\t' + call.section(u'@', 1) +
                     QStringLiteral("\t轮流");
    return lines;
}

QHash<QString, int> startsOf(const QStringList& starts) {
    QHash<QString, int> hash;
    for (const QString& start : starts)
        hash.insert(start.section(u'=', 0, 0), start.section(u'=', 1).toInt());
    return hash;
}

const QString T1 = QStringLiteral("2026-12-10 09:00:01");
const QString T2 = QStringLiteral("2026-12-10 09:00:02");
const QString Before = QStringLiteral("2026-08-31 10:00:00");

} // namespace

class TurnCountsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void poolOfTheFewest_data() {
        QTest::addColumn<QStringList>("service"); // student@time; a lone "-" for none read
        QTest::addColumn<QStringList>("pending");
        QTest::addColumn<QStringList>("lesson");
        QTest::addColumn<QStringList>("known"); // student=start
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<int>("fewest");
        QTest::addColumn<QStringList>("pool");
        QTest::addColumn<QStringList>("starts");

        const QStringList abc{"甲", "乙", "丙"};
        QTest::newRow("nobody called yet")
            << QStringList{"-"} << QStringList{} << QStringList{} << QStringList{} << abc << 0
            << abc << QStringList{"甲=0", "乙=0", "丙=0"};
        QTest::newRow("service, pending and lesson add up")
            << QStringList{"甲@" + T1} << QStringList{"乙@" + T1} << QStringList{"甲@" + T2}
            << QStringList{"甲=0", "乙=0", "丙=0"} << abc << 0 << QStringList{"丙"}
            << QStringList{"甲=0", "乙=0", "丙=0"};
        QTest::newRow("a call known to all three counts once")
            << QStringList{"甲@" + T1, "乙@" + T2} << QStringList{"甲@" + T1}
            << QStringList{"甲@" + T1} << QStringList{"甲=0", "乙=0", "丙=0"}
            << QStringList{"甲", "乙"} << 1 << QStringList{"甲", "乙"}
            << QStringList{"甲=0", "乙=0", "丙=0"};
        QTest::newRow("an uploaded call counts before the service is read again")
            << QStringList{"-"} << QStringList{} << QStringList{"甲@" + T1}
            << QStringList{"甲=0", "乙=0", "丙=0"} << QStringList{"甲", "乙"} << 0
            << QStringList{"乙"} << QStringList{"甲=0", "乙=0", "丙=0"};
        QTest::newRow("two calls in one second are two")
            << QStringList{} << QStringList{"乙@" + T1} << QStringList{"甲@" + T1, "甲@" + T1}
            << QStringList{"甲=0", "乙=0", "丙=0"} << QStringList{"甲", "乙"} << 1
            << QStringList{"乙"} << QStringList{"甲=0", "乙=0", "丙=0"};
        QTest::newRow("calls before the term, of another class or malformed are left out")
            << QStringList{"甲@" + Before, "乙"} << QStringList{"丙@" + Before} << QStringList{}
            << QStringList{"甲=0", "乙=0", "丙=0"} << abc << 0 << abc
            << QStringList{"甲=0", "乙=0", "丙=0"};
        QTest::newRow("the absent are no part of the pool")
            << QStringList{"甲@" + T1, "乙@" + T1} << QStringList{} << QStringList{}
            << QStringList{"甲=0", "乙=0", "丙=0"} << QStringList{"甲", "乙"} << 1
            << QStringList{"甲", "乙"} << QStringList{"甲=0", "乙=0", "丙=0"};
        QTest::newRow("a newcomer starts at the fewest")
            << QStringList{"甲@" + T1, "甲@" + T2, "乙@" + T1} << QStringList{} << QStringList{}
            << QStringList{"甲=0", "乙=0"} << QStringList{"甲", "乙", "新"} << 1
            << QStringList{"乙", "新"} << QStringList{"甲=0", "乙=0", "新=1"};
        QTest::newRow("a newcomer called already keeps those calls")
            << QStringList{"甲@" + T1, "甲@" + T2, "乙@" + T1, "乙@" + T2, "新@" + T1}
            << QStringList{} << QStringList{} << QStringList{"甲=0", "乙=0"}
            << QStringList{"甲", "乙", "新"} << 2 << QStringList{"甲", "乙", "新"}
            << QStringList{"甲=0", "乙=0", "新=1"};
        QTest::newRow("a start kept counts on")
            << QStringList{"甲@" + T1, "乙@" + T1} << QStringList{} << QStringList{"新@" + T2}
            << QStringList{"甲=0", "乙=0", "新=1"} << QStringList{"甲", "乙", "新"} << 1
            << QStringList{"甲", "乙"} << QStringList{"甲=0", "乙=0", "新=1"};
    }

    void poolOfTheFewest() {
        QFETCH(QStringList, service);
        QFETCH(QStringList, pending);
        QFETCH(QStringList, lesson);
        QFETCH(QStringList, known);
        QFETCH(QStringList, present);
        QFETCH(int, fewest);
        QFETCH(QStringList, pool);
        QFETCH(QStringList, starts);

        TurnCounts counts(ClassName, TermStart, Today);
        // 丁 was pending earlier and left with an upload.
        counts.setPendingCalls(callLines({"丁@" + T1}));
        if (service != QStringList{"-"})
            counts.setServiceCalls(served(serviceLines(service)));
        QCOMPARE(counts.hasServiceCalls(), service != QStringList{"-"});
        counts.setPendingCalls(callLines(pending) +
                               callLines({"甲@" + T2}, QStringLiteral("二班")) +
                               QStringList{ClassName + QStringLiteral("\t甲\t") + T2});
        for (const QString& line : callLines(lesson))
            counts.addLessonCall(line);
        // Everybody of the roster, the absent too.
        QStringList roster{"甲", "乙", "丙"};
        if (present.contains(QStringLiteral("新")))
            roster.replace(2, QStringLiteral("新"));
        const QHash<QString, int> given = counts.withNewcomers(roster, startsOf(known));
        QCOMPARE(given, startsOf(starts));
        counts.setStarts(given);
        QCOMPARE(counts.fewest(present), fewest);
        QCOMPARE(counts.pool(present), pool);
        QCOMPARE(counts.count(QStringLiteral("丁")), 1);
    }
};

QTEST_GUILESS_MAIN(TurnCountsTest)
#include "tst_turn_counts.moc"
