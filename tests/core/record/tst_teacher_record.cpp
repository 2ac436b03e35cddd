// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the teacher record: line kinds, prefix matching, bad input and the snapshot reuse.
#include "RecordFixture.h"
#include "record/RecordCache.h"
#include "record/TeacherRecord.h"
#include "text/Gb18030.h"

#include <QtTest>

using namespace ordalis;
using namespace ordalis::test;

namespace {
QStringList names(const ClassRoster& roster) {
    QStringList result;
    for (const StudentEntry& student : roster.students)
        result << student.name;
    return result;
}

QStringList topicNames(const QList<Topic>& topics) {
    QStringList result;
    for (const Topic& topic : topics)
        result << topic.name;
    return result;
}
} // namespace

class TeacherRecordTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void classListLosesTheNameWithoutFinalTab() {
        TempDataFolder data;
        TeacherRecord record(data.recordFile());
        QVERIFY(data.writeRecord({QStringLiteral("Class_Is_Ready\t一班\t二班\t")}));
        QCOMPARE(record.readClassList(),
                 (QStringList{QStringLiteral("一班"), QStringLiteral("二班")}));
        QVERIFY(data.writeRecord({QStringLiteral("Class_Is_Ready\t一班\t二班")}));
        QCOMPARE(record.readClassList(), QStringList{QStringLiteral("一班")});
        QVERIFY(data.writeRecord({QStringLiteral("Class_Is_Ready")}));
        QCOMPARE(record.readClassList(), QStringList());
    }

    void topicsKeepFileOrderAndTheirStandards() {
        TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        TeacherRecord record(data.recordFile());
        const QList<Topic> topics = record.readTopics();
        QCOMPARE(topicNames(topics), (QStringList{QStringLiteral("函数"), QStringLiteral("数列")}));
        QCOMPARE(topics[0].standards.size(), 2);
        QCOMPARE(topics[0].standards[1].text, QStringLiteral("回答错误"));
        QCOMPARE(topics[0].standards[1].score, QStringLiteral("1"));
        QVERIFY(topics[1].standards.isEmpty());

        QCOMPARE(record.findTopic(QStringLiteral("函数"))->standards[0].score, QStringLiteral("5"));
        // The standards list looks a topic up by "[keti]" TAB name TAB: a topic line that ends
        // right after its name has no standards to show, and a prefix of a name is no match.
        QVERIFY(!record.findTopic(QStringLiteral("数列")));
        QVERIFY(!record.findTopic(QStringLiteral("函")));
    }

    void topicLineNeedsTwoFieldsAndAPairPerStandard() {
        TempDataFolder data;
        QVERIFY(data.writeRecord({QStringLiteral("[keti]"),
                                  QStringLiteral("[keti]\t概率\t全对\t5\t半对"),
                                  QStringLiteral("[keti]x\t别的")}));
        const QList<Topic> topics = TeacherRecord(data.recordFile()).readTopics();
        // "[keti]x" begins with the marker, so it is read as a topic line too.
        QCOMPARE(topicNames(topics), (QStringList{QStringLiteral("概率"), QStringLiteral("别的")}));
        QCOMPARE(topics[0].standards.size(), 1);
    }

    void rosterTakesSixFieldLinesOfExactlyThatClass() {
        TempDataFolder data;
        QVERIFY(data.writeRecord({
            QStringLiteral("1\t甲\t0\t0\t3\t2"),
            QStringLiteral("10\t乙\t0\t0\t3\t2"),
            QStringLiteral("1\t丙\t1\t0\t3\t2\textra"),
            QStringLiteral("1\t丁"),
            QStringLiteral("1\t张三\t0\t\t\t"),
            QStringLiteral("1\t王,五\t2\t7\t4.5分\t 3次"),
            QStringLiteral("1x\t戊\t0\t0\t3\t2"),
        }));
        const ClassRoster roster =
            TeacherRecord(data.recordFile()).readClassRoster(QStringLiteral("1"));
        QCOMPARE(roster.name, QStringLiteral("1"));
        QCOMPARE(names(roster), (QStringList{QStringLiteral("甲"), QStringLiteral("张三"),
                                             QStringLiteral("王,五")}));
        QCOMPARE(roster.students[1].score, 0.0);
        QCOMPARE(roster.students[1].count, 0.0);
        const StudentEntry& wang = roster.students[2];
        QCOMPARE(wang.group, QStringLiteral("2"));
        QCOMPARE(wang.total, QStringLiteral("7"));
        QCOMPARE(wang.scoreText, QStringLiteral("4.5分"));
        QCOMPARE(wang.score, 4.5);
        QCOMPARE(wang.count, 3.0);
    }

    void readRecordLinesMatchesByFirstCharacters() {
        TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        TeacherRecord record(data.recordFile());
        QCOMPARE(record.readRecordLines(QStringLiteral("[keti]\t数")),
                 QStringLiteral("[keti]\t数列\r\n"));
        QCOMPARE(record.readRecordLines(QStringLiteral("二班\t")).count(QStringLiteral("\r\n")), 2);
        QCOMPARE(record.readRecordLines(QStringLiteral("二")).count(QStringLiteral("\r\n")), 2);
        QCOMPARE(record.readRecordLines(QStringLiteral("[KETI]")), QString());
        QCOMPARE(record.readRecordLines(QString()).count(QStringLiteral("\r\n")),
                 sampleRecordLines().size());
    }

    void findStudentTakesTheFirstSixFieldLine() {
        TempDataFolder data;
        QVERIFY(data.writeRecord({
            QStringLiteral("一班\t张三\t9"),
            QStringLiteral("一班\t张三\t1\t0\t2.5\t4"),
            QStringLiteral("一班\t张三\t2\t0\t4\t8"),
            QStringLiteral("一班\t张三丰\t3\t0\t1\t1"),
        }));
        TeacherRecord record(data.recordFile());
        const auto zhang = record.findStudent(QStringLiteral("一班"), QStringLiteral("张三"));
        QVERIFY(zhang);
        QCOMPARE(zhang->group, QStringLiteral("1"));
        QCOMPARE(zhang->score, 2.5);
        const auto shortLine =
            record.firstStudentLine(QStringLiteral("一班"), QStringLiteral("张三"));
        QVERIFY(shortLine);
        QCOMPARE(shortLine->group, QStringLiteral("9"));
        QVERIFY(shortLine->countText.isEmpty());
        QCOMPARE(record.findStudent(QStringLiteral("一班"), QStringLiteral("张三丰"))->group,
                 QStringLiteral("3"));
        QVERIFY(!record.findStudent(QStringLiteral("一班"), QStringLiteral("张")));
        QVERIFY(!record.findStudent(QStringLiteral("二班"), QStringLiteral("张三")));
        QVERIFY(!record.firstStudentLine(QStringLiteral("一"), QStringLiteral("张三")));
        // A TAB inside an argument is compared as text, as a prefix would be.
        QCOMPARE(
            record.firstStudentLine(QStringLiteral("一班\t张三"), QStringLiteral("1"))->countText,
            QStringLiteral("4"));
    }

    void missingEmptyAndLateFiles() {
        TempDataFolder data;
        TeacherRecord record(data.recordFile());
        QVERIFY(!record.exists());
        QVERIFY(record.readClassList().isEmpty());
        QVERIFY(record.readTopics().isEmpty());
        QVERIFY(record.readClassRoster(QStringLiteral("一班")).students.isEmpty());
        QVERIFY(!record.findStudent(QStringLiteral("一班"), QStringLiteral("张三")));
        QCOMPARE(record.readRecordLines(QString()), QString());

        QVERIFY(writeBytes(data.recordFile(), QByteArray()));
        QVERIFY(record.exists());
        QVERIFY(record.readClassList().isEmpty());

        QVERIFY(data.writeSampleRecord());
        QCOMPARE(record.readClassList().size(), 2);
        QVERIFY(QFile::remove(data.recordFile()));
        QVERIFY(record.readClassList().isEmpty());
        QVERIFY(!record.findStudent(QStringLiteral("一班"), QStringLiteral("张三")));
    }

    void foreignLineEndsAreLineEnds() {
        for (const QByteArray& lineEnd : {QByteArray("\n"), QByteArray("\r"), QByteArray("\r\n")}) {
            TempDataFolder data;
            QVERIFY(data.writeRecord(sampleRecordLines(), lineEnd));
            TeacherRecord record(data.recordFile());
            QCOMPARE(record.readClassList().size(), 2);
            QCOMPARE(names(record.readClassRoster(QStringLiteral("一班"))).size(), 3);
            QCOMPARE(record.findStudent(QStringLiteral("二班"), QStringLiteral("钱七"))->countText,
                     QStringLiteral("6"));
        }
        TempDataFolder data;
        QVERIFY(writeBytes(data.recordFile(), gb18030::encode(u"一班\t甲\t0\t0\t1\t1\n"
                                                              u"一班\t乙\t0\t0\t1\t1\r\r\n"
                                                              u"一班\t丙\t0\t0\t1\t1")));
        QCOMPARE(names(TeacherRecord(data.recordFile()).readClassRoster(QStringLiteral("一班"))),
                 (QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}));
    }

    void byteOrderMarkAndInvalidBytesSpoilOnlyTheirLine() {
        TempDataFolder data;
        QByteArray bytes = "\xEF\xBB\xBF" + gb18030::encode(u"Class_Is_Ready\t一班\t\r\n");
        bytes += gb18030::encode(u"一班\t甲\t0\t0\t1\t1\r\n");
        bytes += QByteArray("\xD2\xBB\xB0\xE0\t\xFF\x81\t0\t0\t1\t1\r\n"); // 一班 TAB junk ...
        bytes += QByteArray("\x81\r\n");
        bytes += gb18030::encode(u"一班\t乙\t0\t0\t1\t1\r\n");
        bytes += QByteArray("\xD2");
        QVERIFY(writeBytes(data.recordFile(), bytes));
        TeacherRecord record(data.recordFile());
        QVERIFY(record.readClassList().isEmpty());
        const ClassRoster roster = record.readClassRoster(QStringLiteral("一班"));
        QCOMPARE(roster.students.size(), 3);
        QCOMPARE(roster.students[0].name, QStringLiteral("甲"));
        QCOMPARE(roster.students[2].name, QStringLiteral("乙"));
        QVERIFY(record.findStudent(QStringLiteral("一班"), QStringLiteral("乙")));
    }

    void largeFileIsReadWhole() {
        TempDataFolder data;
        QByteArray bytes;
        const QByteArray filler(200, 'x');
        for (int n = 0; bytes.size() < 10 * 1024 * 1024; ++n)
            bytes +=
                gb18030::encode(
                    QStringLiteral("大班\t学生%1\t%2\t0\t3\t%3\t").arg(n).arg(n % 16).arg(n % 7)) +
                filler + "\r\n";
        bytes += gb18030::encode(u"大班\t最后\t0\t0\t4\t9\r\n");
        QVERIFY(writeBytes(data.recordFile(), bytes));
        TeacherRecord record(data.recordFile());
        QCOMPARE(record.findStudent(QStringLiteral("大班"), QStringLiteral("最后"))->count, 9.0);
        QCOMPARE(record.readClassRoster(QStringLiteral("大班")).students.size(), 1);
    }

    void unchangedFileIsNotParsedAgain() {
        TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        QVERIFY(ageFile(data.recordFile(), 60));
        TeacherRecord record(data.recordFile());
        QVERIFY(record.findStudent(QStringLiteral("一班"), QStringLiteral("张三")));
        const int parses = RecordCache::parseCount();
        const int reads = RecordCache::readCount();
        for (int i = 0; i < 100; ++i) {
            QVERIFY(record.findStudent(QStringLiteral("一班"), QStringLiteral("李四")));
            QCOMPARE(record.readClassList().size(), 2);
        }
        // Another reader of the same file shares the snapshot.
        QCOMPARE(TeacherRecord(data.recordFile()).readTopics().size(), 2);
        QCOMPARE(RecordCache::parseCount(), parses);
        QCOMPARE(RecordCache::readCount(), reads);
    }

    void youngFileIsComparedByteForByteAtEveryRead() {
        // Some file systems stamp a rewrite within one clock tick with the same times, so for a
        // few seconds after a change only the bytes can tell.
        TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        TeacherRecord record(data.recordFile());
        QVERIFY(record.findStudent(QStringLiteral("一班"), QStringLiteral("张三")));
        const int parses = RecordCache::parseCount();
        const int reads = RecordCache::readCount();
        QVERIFY(record.findStudent(QStringLiteral("一班"), QStringLiteral("张三")));
        QCOMPARE(RecordCache::readCount(), reads + 1);
        QCOMPARE(RecordCache::parseCount(), parses);
    }

    void sameSizeRewriteWithinOneSecondIsSeenAtOnce() {
        TempDataFolder data;
        TeacherRecord record(data.recordFile());
        const QString yi = QStringLiteral("一班");
        for (int round = 0; round < 20; ++round) {
            // 3 and 4, 张三 and 李四: the same size in GBK, so only the bytes tell them apart.
            const QString count = QString::number(3 + round % 2);
            const QString name = round % 2 ? QStringLiteral("李四") : QStringLiteral("张三");
            QVERIFY(data.writeRecord({QStringLiteral("%1\t%2\t0\t0\t2\t%3").arg(yi, name, count)}));
            const ClassRoster roster = record.readClassRoster(yi);
            QCOMPARE(roster.students.size(), 1);
            QCOMPARE(roster.students[0].name, name);
            QCOMPARE(roster.students[0].countText, count);
        }
    }

    void changeOfAnOldFileIsSeen() {
        TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        QVERIFY(ageFile(data.recordFile(), 60));
        TeacherRecord record(data.recordFile());
        QVERIFY(record.findStudent(QStringLiteral("一班"), QStringLiteral("张三")));

        // Replaced by another process with a same-size file of another name (a new inode).
        QStringList lines = sampleRecordLines();
        lines.replaceInStrings(QStringLiteral("张三"), QStringLiteral("章三"));
        const QString other = data.filePath(QStringLiteral("download.tmp"));
        QVERIFY(writeRecordFile(other, lines));
        QVERIFY(ageFile(other, 60));
        QVERIFY(QFile::remove(data.recordFile()));
        QVERIFY(QFile::rename(other, data.recordFile()));
        QVERIFY(!record.findStudent(QStringLiteral("一班"), QStringLiteral("张三")));
        QVERIFY(record.findStudent(QStringLiteral("一班"), QStringLiteral("章三")));
    }
};

QTEST_GUILESS_MAIN(TeacherRecordTest)
#include "tst_teacher_record.moc"
