// SPDX-License-Identifier: GPL-3.0-or-later
// The history reads the service's and this computer's lines as each reader always has: a line
// too short for the fields it needs is no entry, extra fields are passed over, another class's
// pending line is not this class's.
#include "history/ClassHistory.h"

#include <QtTest>

using namespace ordalis;

class ClassHistoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsEachLineKindWithItsOwnLeniency() {
        const QDate day(2024, 3, 15);
        ClassHistory history(QStringLiteral("一班"),
                             {QStringLiteral("王䶮"), QStringLiteral("李四")}, {day, day});
        history.addServiceCalls(QStringLiteral("王䶮\t2024-03-15 08:00:00\t所有\t多余\r\n"
                                               "李四\t2024-03-15 08:01:00\r\n\r\n"));
        history.addServiceScores(QStringLiteral("7\t王䶮\t4.5\t2024-03-15 08:00:00\r\n"
                                                "8\t李四\t3\r\n"));
        history.addPendingCalls({QStringLiteral("一班\t李四\t2024-03-15 09:00:00\t拼音"),
                                 QStringLiteral("二班\t李四\t2024-03-15 09:00:00\t拼音"),
                                 QStringLiteral("一班\t李四\t2024-03-15 09:01:00")});
        history.addPendingScores({QStringLiteral("一班\t李四\t2分\t2024-03-15 09:00:00\t清晰"),
                                  QStringLiteral("二班\t王䶮\t5分\t2024-03-15 09:00:00\t")},
                                 QStringLiteral("函数"));
        const QList<StudentHistory> students = history.students();
        QCOMPARE(students[0].calls, 1);
        QCOMPARE(students[0].scores, 1);
        QCOMPARE(students[0].total, 4.5);
        QCOMPARE(students[1].calls, 1);
        QCOMPARE(students[1].lastCalled, QStringLiteral("2024-03-15 09:00:00"));
        QCOMPARE(students[1].scores, 1);
        QCOMPARE(students[1].total, 2.0);
        // The pending score carries the topic its upload will send; the service's its own.
        const QList<workbook::ScoreEntry> scores = history.workbook().scores;
        QCOMPARE(scores.size(), 2);
        QCOMPARE(scores[0].topic, QString());
        QCOMPARE(scores[1].topic, QStringLiteral("函数"));
    }
};

QTEST_GUILESS_MAIN(ClassHistoryTest)
#include "tst_class_history.moc"
