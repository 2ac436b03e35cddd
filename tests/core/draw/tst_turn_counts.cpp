// SPDX-License-Identifier: GPL-3.0-or-later
// 轮流's counts from the service's, the pending and the lesson's calls of the term, and the
// pool of the fewest among those present, with the starts of students who joined later.

#include "draw/TurnCounts.h"
#include "wire/CallLine.h"

#include <QtTest>

using namespace ordalis;

namespace {

const QString ClassName = QStringLiteral("初一(1)班");

QStringList words(const QString& text) {
    return text.split(u' ', Qt::SkipEmptyParts);
}

// "甲1" is a call of 甲 at second 1 of the lesson, "甲0" one before the term.
QString timeOf(const QString& call) {
    return call.endsWith(u'0') ? QStringLiteral("2026-08-31 10:00:00")
                               : QStringLiteral("2026-12-10 09:00:0") + call.back();
}

// The lines of a source: pending and lesson ones as CallLines, the service's "student TAB time
// TAB how"; a call without a second is a malformed line.
QStringList linesOf(const QString& calls, const QString& className = ClassName) {
    QStringList lines;
    for (const QString& call : words(calls)) {
        const QString student = call.chopped(1);
        const QString line = call.back().isDigit()
                                 ? student + u'\t' + timeOf(call) + QStringLiteral("\t轮流")
                                 : call;
        lines << (className.isEmpty() ? line : className + u'\t' + line);
    }
    return lines;
}

QHash<QString, int> startsOf(const QString& starts) {
    QHash<QString, int> hash;
    for (const QString& start : words(starts))
        hash.insert(start.section(u'=', 0, 0), start.section(u'=', 1).toInt());
    return hash;
}

} // namespace

class TurnCountsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void poolOfTheFewest_data() {
        QTest::addColumn<QString>("service"); // "-": not read
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QString>("lesson");
        QTest::addColumn<QString>("known"); // student=start
        QTest::addColumn<QString>("present");
        QTest::addColumn<int>("fewest");
        QTest::addColumn<QString>("pool");
        QTest::addColumn<QString>("starts");

        const auto row = [](const char* name, const char* service, const char* pending,
                            const char* lesson, const char* known, const char* present, int fewest,
                            const char* pool, const char* starts) {
            QTest::newRow(name) << service << pending << lesson << known << present << fewest
                                << pool << starts;
        };
        const char* const all = "甲=0 乙=0 丙=0";
        row("nobody called yet", "-", "", "", "", "甲 乙 丙", 0, "甲 乙 丙", all);
        row("service, pending and lesson add up", "甲1", "乙1", "甲2", all, "甲 乙 丙", 0, "丙",
            all);
        row("a call known to all three counts once", "甲1 乙2", "甲1", "甲1", all, "甲 乙", 1,
            "甲 乙", all);
        row("an uploaded call counts before the service is read again", "-", "", "甲1", all,
            "甲 乙", 0, "乙", all);
        row("two calls in one second are two", "", "乙1", "甲1 甲1", all, "甲 乙", 1, "乙", all);
        row("calls before the term or malformed are left out", "甲0 乙", "丙0", "", all, "甲 乙 丙",
            0, "甲 乙 丙", all);
        row("the absent are no part of the pool", "甲1 乙1", "", "", all, "甲 乙", 1, "甲 乙", all);
        row("a newcomer starts at the fewest", "甲1 甲2 乙1", "", "", "甲=0 乙=0", "甲 乙 新", 1,
            "乙 新", "甲=0 乙=0 新=1");
        row("a newcomer called already keeps those calls", "甲1 甲2 乙1 乙2 新1", "", "",
            "甲=0 乙=0", "甲 乙 新", 2, "甲 乙 新", "甲=0 乙=0 新=1");
    }

    void poolOfTheFewest() {
        QFETCH(QString, service);
        QFETCH(QString, pending);
        QFETCH(QString, lesson);
        QFETCH(QString, known);
        QFETCH(QString, present);
        QFETCH(int, fewest);
        QFETCH(QString, pool);
        QFETCH(QString, starts);

        TurnCounts counts(ClassName, QDate(2026, 9, 1), QDate(2026, 12, 10));
        // 丁 was pending earlier and left with an upload.
        counts.setPendingCalls(linesOf("丁1"));
        if (service != u"-")
            counts.setServiceCalls(linesOf(service, {}).join(QStringLiteral("\r\n")));
        QCOMPARE(counts.hasServiceCalls(), service != u"-");
        // Another class's call and a line short of a field are no calls of this one.
        counts.setPendingCalls(linesOf(pending) + linesOf("甲3", QStringLiteral("二班")) +
                               linesOf("甲", ClassName));
        for (const QString& line : linesOf(lesson))
            counts.addLessonCall(CallLine::fromText(line));
        // Everybody of the roster, the absent too.
        const QStringList roster =
            words(present).contains(QStringLiteral("新")) ? words("甲 乙 新") : words("甲 乙 丙");
        const QHash<QString, int> given = counts.withNewcomers(roster, startsOf(known));
        QCOMPARE(given, startsOf(starts));
        counts.setStarts(given);
        QCOMPARE(counts.fewest(words(present)), fewest);
        QCOMPARE(counts.pool(words(present)), words(pool));
        QCOMPARE(counts.count(QStringLiteral("丁")), 1);
    }
};

QTEST_GUILESS_MAIN(TurnCountsTest)
#include "tst_turn_counts.moc"
