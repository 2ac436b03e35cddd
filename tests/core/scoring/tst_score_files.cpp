// SPDX-License-Identifier: GPL-3.0-or-later
// Score lines and the two files that hold them: the daily log and .dms batches.
#include "RecordFixture.h"
#include "scoring/DailyLog.h"
#include "scoring/DmsFile.h"
#include "scoring/PendingColumns.h"
#include "scoring/PendingStore.h"
#include "session/Session.h"
#include "text/Gb18030.h"
#include "wire/ScoreLine.h"

#include <QtTest>

using namespace ordalis;
using namespace ordalis::test;

namespace {
QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QDate March2 = QDate(2020, 3, 2);
} // namespace

class ScoreFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scoreLineHasFiveTabFields() {
        const QDateTime moment(March2, QTime(9, 15, 7));
        ScoreLine line{QStringLiteral("初一(3)班"), QStringLiteral("李明"), QStringLiteral("3分"),
                       ScoreLine::timeText(moment), QString()};
        QCOMPARE(line.toText(), QStringLiteral("初一(3)班\t李明\t3分\t2020-03-02 09:15:07\t"));
        QCOMPARE(ScoreLine::timeText(QDateTime(March2, QTime(23, 5, 0))),
                 QStringLiteral("2020-03-02 23:05:00"));

        const ScoreLine back = ScoreLine::fromText(line.toText());
        QCOMPARE(back.toText(), line.toText());
        const ScoreLine short2 = ScoreLine::fromText(QStringLiteral("一班\t张三"));
        QCOMPARE(short2.student, QStringLiteral("张三"));
        QVERIFY(short2.score.isEmpty() && short2.time.isEmpty() && short2.standard.isEmpty());
        QCOMPARE(ScoreLine::fromText(QStringLiteral("a\tb\tc\td\te\tf")).standard,
                 QStringLiteral("e"));
    }

    // The upload list shows a pending line's fields under their headers, keeps a short line as
    // it came for the store, and takes it for the same score as its padded form.
    void pendingLinesInColumns() {
        const PendingScore row = PendingScore::fromText(QStringLiteral("一班\t张三\t3分\tt\t标"));
        QStringList shown;
        for (int column = 0; column < PendingColumns::Count; ++column)
            shown << PendingColumns::header(column) + u'=' + PendingColumns::text(row, column);
        QCOMPARE(shown,
                 (QStringList{"班级=一班", "学生=张三", "分数=3分", "时间=t", "评分标准=标"}));

        const PendingScore brief = PendingScore::fromText(QStringLiteral("a\tb\t3"));
        QCOMPARE(brief.toText(), QStringLiteral("a\tb\t3"));
        QVERIFY(brief == PendingScore::fromText(QStringLiteral("a\tb\t3\t\t")));
        QVERIFY(!(brief == PendingScore::fromText(QStringLiteral("a\tb\t4"))));
    }

    void dailyLogAppendsGbkLinesToTheDaysFile() {
        TempDataFolder data;
        QCOMPARE(dailyLogFileName(QStringLiteral("zhangsan"), QStringLiteral("初一(3)班"), March2),
                 QStringLiteral("zhangsan_初一(3)班_2020-03-02.Log"));
        const QString first = QStringLiteral("初一(3)班\t李明\t3分\t2020-03-02 09:15:07\t");
        const QString second =
            QStringLiteral("初一(3)班\t李明\t5分\t2020-03-02 09:16:00\t回答正确");
        const FileWrite w1 = appendToDailyLog(data.path(), QStringLiteral("离线用户"),
                                              QStringLiteral("初一(3)班"), March2, first);
        QVERIFY2(w1.ok(), qPrintable(w1.why()));
        QCOMPARE(w1.path(), data.filePath(QStringLiteral("离线用户_初一(3)班_2020-03-02.Log")));
        QVERIFY(appendToDailyLog(data.path(), QStringLiteral("离线用户"),
                                 QStringLiteral("初一(3)班"), March2, second)
                    .ok());
        QCOMPARE(fileBytes(w1.path()),
                 gb18030::encode(first) + "\r\n" + gb18030::encode(second) + "\r\n");

        // The next day has a file of its own.
        const FileWrite next =
            appendToDailyLog(data.path(), QStringLiteral("离线用户"), QStringLiteral("初一(3)班"),
                             March2.addDays(1), first);
        QVERIFY(next.ok());
        QVERIFY(next.path() != w1.path());
        QCOMPARE(fileBytes(w1.path()).count("\r\n"), 2);
    }

    void dailyLogNamesStayInsideTheFolder() {
        TempDataFolder data;
        QCOMPARE(dailyLogFileName(QStringLiteral("../x"), QStringLiteral("a/b"), March2),
                 QStringLiteral(".._x_a_b_2020-03-02.Log"));
        QCOMPARE(dailyLogFileName(QStringLiteral("u\\:*?\"<>|"), QStringLiteral("c\t\n"), March2),
                 QStringLiteral("u_________c___2020-03-02.Log"));
        const FileWrite write =
            appendToDailyLog(data.path(), QStringLiteral("../x"), QStringLiteral("../../a/b"),
                             March2, QStringLiteral("l"));
        QVERIFY2(write.ok(), qPrintable(write.why()));
        QCOMPARE(QFileInfo(write.path()).absolutePath(), QFileInfo(data.path()).absoluteFilePath());
        QCOMPARE(QDir(data.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void dailyLogReportsWhatItCannotWrite() {
        TempDataFolder data;
        const QString missing = data.filePath(QStringLiteral("no/such/folder"));
        const FileWrite intoMissing = appendToDailyLog(
            missing, QStringLiteral("u"), QStringLiteral("c"), March2, QStringLiteral("l"));
        QVERIFY(!intoMissing.ok());
        QVERIFY(!intoMissing.why().isEmpty());

        // A folder where the file should be cannot be opened for appending.
        QVERIFY(QDir(data.path())
                    .mkdir(dailyLogFileName(QStringLiteral("u"), QStringLiteral("c"), March2)));
        const FileWrite ontoFolder = appendToDailyLog(
            data.path(), QStringLiteral("u"), QStringLiteral("c"), March2, QStringLiteral("l"));
        QVERIFY(!ontoFolder.ok());
        QVERIFY(!ontoFolder.why().isEmpty());

        if (QFile::exists(QStringLiteral("/dev/full"))) {
            // A device that accepts the open but refuses every byte: the write must not pass.
            QTemporaryDir links;
            const QString link =
                QDir(links.path())
                    .filePath(dailyLogFileName(QStringLiteral("u"), QStringLiteral("c"), March2));
            QVERIFY(QFile::link(QStringLiteral("/dev/full"), link));
            const FileWrite full =
                appendToDailyLog(links.path(), QStringLiteral("u"), QStringLiteral("c"), March2,
                                 QStringLiteral("l"));
            QVERIFY(!full.ok());
        }
    }

    void dmsFileRoundTripsAndSkipsEmptyLines() {
        TempDataFolder data;
        const QString path = data.filePath(QStringLiteral("成绩.dms"));
        const QStringList lines{QStringLiteral("一班\t张三\t3分\t2020-03-02 09:15:07\t"),
                                QStringLiteral("一班\t李四\t5分\t2020-03-02 09:16:00\t回答正确")};
        QVERIFY(writeDmsFile(path, lines).ok());
        QCOMPARE(fileBytes(path), gb18030::encode(lines.join(QStringLiteral("\r\n"))) + "\r\n");
        QCOMPARE(*readDmsFile(path), lines);

        // Written whole: a shorter batch replaces a longer one.
        QVERIFY(writeDmsFile(path, lines.mid(1)).ok());
        QCOMPARE(*readDmsFile(path), lines.mid(1));

        QVERIFY(writeBytes(path, gb18030::encode(u"\r\na\tb\n\n  \r\nc\r\n\r\n")));
        QCOMPARE(*readDmsFile(path),
                 (QStringList{QStringLiteral("a\tb"), QStringLiteral("  "), QStringLiteral("c")}));
        QVERIFY(writeBytes(path, QByteArray()));
        QCOMPARE(*readDmsFile(path), QStringList());
    }

    void dmsFileFailuresAreReported() {
        TempDataFolder data;
        QVERIFY(!readDmsFile(data.filePath(QStringLiteral("missing.dms"))));
        const FileWrite intoMissing =
            writeDmsFile(data.filePath(QStringLiteral("no/such/x.dms")), {QStringLiteral("a")});
        QVERIFY(!intoMissing.ok());
        QCOMPARE(intoMissing.why(), QStringLiteral("文件夹不存在"));
    }

    // Each user's pending lines in a file of their own inside the folder; an account keeps its
    // lines, and lines given without one go on with the next login.
    void pendingListsBelongToTheirUsers() {
        TempDataFolder data;
        PendingStore store(data.path());
        QCOMPARE(QFileInfo(store.filePath(QStringLiteral("张老师"))).fileName(),
                 QStringLiteral("pending_张老师.dms"));
        QSet<QString> files;
        for (const char* name : {"../x", "a/b", "a%2Fb", "a_2Fb", "a b"}) {
            const QFileInfo file(store.filePath(QString::fromUtf8(name)));
            QCOMPARE(file.absolutePath(), QFileInfo(data.path()).absoluteFilePath());
            files.insert(file.fileName());
        }
        QCOMPARE(files.size(), 5);

        const QStringList anna{QStringLiteral("一\t甲\t1分\t2026-03-01 08:00:00\t")};
        QVERIFY(store.save(QStringLiteral("anna"), anna).ok());
        QCOMPARE(fileBytes(store.filePath(QStringLiteral("anna"))),
                 gb18030::encode(anna[0]) + "\r\n");
        QCOMPARE(store.load(QStringLiteral("anna")), anna);
        QVERIFY(store.load(QStringLiteral("bert")).isEmpty());

        QCOMPARE(store.changeUser(QStringLiteral("anna"), anna, QStringLiteral("anna")), anna);
        QVERIFY(store.changeUser(QStringLiteral("anna"), anna, QStringLiteral("bert")).isEmpty());
        QCOMPARE(store.load(QStringLiteral("anna")), anna);

        const QStringList offline{QStringLiteral("一\t乙\t2分\t2026-03-01 08:00:01\t")};
        QCOMPARE(store.changeUser(Session::OfflineUserName, offline, QStringLiteral("anna")),
                 anna + offline);
        QCOMPARE(store.load(QStringLiteral("anna")), anna + offline);
        QVERIFY(store.load(Session::OfflineUserName).isEmpty());
        QCOMPARE(store.changeUser(QString(), offline, Session::OfflineUserName), offline);

        // Lines carried over whose old file cannot be emptied are held until it can be.
        const QString offlineFile = store.filePath(Session::OfflineUserName);
        QVERIFY(QFile::remove(offlineFile) && QDir().mkpath(offlineFile));
        QCOMPARE(store.changeUser(Session::OfflineUserName, offline, QStringLiteral("bert")),
                 offline);
        QCOMPARE(store.load(QStringLiteral("bert")), offline);
        QVERIFY(!store.allWritten());
        QVERIFY(QDir(offlineFile).removeRecursively());
        QVERIFY(store.retry().constFirst().ok());
        QVERIFY(store.allWritten());
    }
};

QTEST_GUILESS_MAIN(ScoreFilesTest)
#include "tst_score_files.moc"
