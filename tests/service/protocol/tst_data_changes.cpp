// SPDX-License-Identifier: GPL-3.0-or-later
// What each change does to a teacher's data, and what it refuses.

#include "ProtocolFixture.h"
#include "ScoreService.h"

#include <QSqlQuery>
#include <QThread>
#include <atomic>

using namespace ordalis::service::test;

namespace {

const QString DoneText = QStringLiteral("Success!");

QString scoreLine(const QString& cls, const QString& student, const QString& score,
                  const QString& time = QStringLiteral("2024-03-15 08:01:02"),
                  const QString& standard = {}) {
    return QStringList{cls, student, score, time, standard}.join(u'\t');
}

} // namespace

class DataChangesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void uploadStoresEveryLineOrNone() {
        AliceFixture f;
        QVERIFY(f.ready);
        const QString refusal = f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "5"),
                                                                  scoreLine("一班", "李四", "4"),
                                                                  scoreLine("一班", "无名", "3")});
        QVERIFY2(refusal.contains(QStringLiteral("第3行")) &&
                     refusal.contains(QStringLiteral("无名")),
                 qPrintable(refusal));
        QCOMPARE(f.scores("一班"), QString());

        const QString unknownClass =
            f.upload(QStringLiteral("函数"), {scoreLine("三班", "张三", "5")});
        QVERIFY2(unknownClass.contains(QStringLiteral("第1行")) &&
                     unknownClass.contains(QStringLiteral("三班")),
                 qPrintable(unknownClass));
        QVERIFY(f.upload(QStringLiteral("函数"), {}).contains(QStringLiteral("没有")));
    }

    // A batch is stored once; a refused upload keeps no batch id, so its corrected repeat
    // is stored; an id that is no batch id is refused before anything is written.
    void aBatchIsStoredOnce() {
        AliceFixture f;
        QVERIFY(f.ready);
        const QString batch = QStringLiteral("&batch=0123456789abcdef0123456789ABCDEF");
        const QString good = QStringLiteral("&keti=函数&score=") + scoreLine("一班", "张三", "5");
        const QString bad = QStringLiteral("&keti=函数&score=") + scoreLine("一班", "无名", "5");
        QVERIFY(f.change("/index.php", bad + batch).contains(QStringLiteral("无名")));
        QCOMPARE(f.change("/index.php", good + batch), DoneText);
        QCOMPARE(f.change("/index.php", good + batch), DoneText);
        QCOMPARE(f.scores("一班").split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 1);
        QCOMPARE(f.change("/index.php", QStringLiteral("&batch=12") + good),
                 QStringLiteral("批次编号不正确"));
        QCOMPARE(f.change("/index.php", good), DoneText); // without a batch: as it comes
        QCOMPARE(f.scores("一班").split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 2);
    }

    // Calls come with an upload's scores (all or none) or on their own, are read per class
    // and period, and go and come back with their student.
    void callsAreStoredReadAndRestoredWithTheirStudent() {
        AliceFixture f;
        QVERIFY(f.ready);
        const QString call1 = QStringLiteral("一班\t张三\t2024-03-15 08:01:02\t所有");
        const QString call2 = QStringLiteral("一班\t李四\t2024-03-16 09:00:00\t拼音");
        const QString score = QStringLiteral("&keti=函数&score=") + scoreLine("一班", "张三", "5");
        QVERIFY(f.change("/index.php", score + QStringLiteral("&calls=一班\t张三\t2024-13-15 "
                                                              "08:00:00\t所有"))
                    .contains(QStringLiteral("2024-13-15")));
        QCOMPARE(f.scores("一班"), QString()); // refused whole: the score went with it
        QCOMPARE(f.change("/index.php", score + QStringLiteral("&calls=") + call1), DoneText);
        QCOMPARE(f.change("/setcalls.php", QStringLiteral("&calls=") + call2), DoneText);
        QCOMPARE(
            f.read("/getcalls.php", QStringLiteral("class=一班&")),
            QStringLiteral("张三\t2024-03-15 08:01:02\t所有\r\n李四\t2024-03-16 09:00:00\t拼音"));
        QCOMPARE(f.read("/getcalls.php", QStringLiteral("class=一班&from=2024-03-16&")),
                 QStringLiteral("李四\t2024-03-16 09:00:00\t拼音"));
        QCOMPARE(f.read("/getcalls.php", QStringLiteral("class=一班&to=2024-03-15&")),
                 QStringLiteral("张三\t2024-03-15 08:01:02\t所有"));
        // One rule for the days of every request, refused in the one charset of every reply.
        for (const char* path : {"/getcalls.php", "/export.php"})
            for (const char* day : {"2026-13-45", "2024-02-30", "2024-3-15", "昨天"}) {
                const ordalis::service::Reply reply = f.get(
                    path, QStringLiteral("class=一班&from=%1&t=alice&mp=%2")
                              .arg(QString::fromUtf8(day), ordalis::md5Hex(AliceFixture::Login)));
                QVERIFY2(reply.status == 400 && reply.contentType.endsWith("GB18030") &&
                             f.text(reply).contains(QString::fromUtf8(day)),
                         day);
            }
        QCOMPARE(
            f.read("/getcalls.php", QStringLiteral("class=一班&from=2024-02-29&to=2024-03-15&")),
            QStringLiteral("张三\t2024-03-15 08:01:02\t所有"));

        QCOMPARE(f.change("/student.php", QStringLiteral("&class=一班&student=李四|王五")),
                 DoneText);
        QVERIFY(!f.read("/getcalls.php", QStringLiteral("class=一班&")).contains(u"张三"));
        QVERIFY(ordalis::ScoreService::restoreDeleted(
            f.dir.filePath(QStringLiteral("service.sqlite")), QStringLiteral("alice"), {}));
        QVERIFY(f.read("/getcalls.php", QStringLiteral("class=一班&"))
                    .contains(call1.section(u'\t', 1)));
    }

    void scoreTextNeedsALeadingNumber() {
        AliceFixture f;
        QVERIFY(f.ready);
        const QString refusal = f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "3分"),
                                                                  scoreLine("一班", "李四", "优")});
        QVERIFY2(refusal.contains(QStringLiteral("第2行")) &&
                     refusal.contains(QStringLiteral("优")),
                 qPrintable(refusal));
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {scoreLine("一班", "张三", "3分", "2024-03-15 08:01:02", "正确")}),
                 DoneText);
        const QStringList fields = f.scores("一班").split(u'\t');
        QCOMPARE(fields.size(), 6);
        QCOMPARE(fields.mid(1), QStringList({"张三", "3", "2024-03-15 08:01:02", "函数", "正确"}));
    }

    void uploadRefusesBadTimesAndLinesOfAnotherShape() {
        AliceFixture f;
        QVERIFY(f.ready);
        QVERIFY(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "3", "abc")})
                    .contains(QStringLiteral("时间")));
        QVERIFY(f.upload(QStringLiteral("函数"), {QStringLiteral("一班\t张三\t3")})
                    .contains(QStringLiteral("第1行")));
        // A field too many is refused as well, in a score line and in a call.
        QVERIFY(f.upload(QStringLiteral("函数"),
                         {scoreLine("一班", "张三", "3") + QStringLiteral("\t多余")})
                    .contains(QStringLiteral("第1行")));
        QVERIFY(f.change("/setcalls.php",
                         QStringLiteral("&calls=一班\t张三\t2024-03-15 08:00:00\t所有\t多余"))
                    .contains(QStringLiteral("第1条")));
        // A bare date is a time the program's reader accepts; it is kept in the full form.
        QCOMPARE(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "3", "2013-3-15")}),
                 DoneText);
        QVERIFY(f.scores("一班").contains(QStringLiteral("\t2013-03-15 00:00:00\t")));
    }

    void editKeepsAnUnchangedTimeExactly() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {scoreLine("一班", "张三", "3", "2024-03-15 08:01:02")}),
                 DoneText);
        const QString id = f.scores("一班").section(u'\t', 0, 0);
        const qint32 seconds = ordalis::dateToSeconds(QStringLiteral("2024-03-15 08:01:02"));
        QCOMPARE(f.change("/editscore.php",
                          QStringLiteral(
                              "&class=一班&scoreid=%1&score=4.5&time=%2&keti=数列&addtion=补记")
                              .arg(id)
                              .arg(seconds)),
                 DoneText);
        QCOMPARE(f.scores("一班"),
                 QStringLiteral("%1\t张三\t4.5\t2024-03-15 08:01:02\t数列\t补记").arg(id));
        QVERIFY(f.record().contains(QStringLiteral("一班\t张三\t0\t4.5\t4.5\t1")));
        QVERIFY(f.change("/editscore.php",
                         QStringLiteral("&class=一班&scoreid=99999&score=1&time=0&keti=&addtion="))
                    .contains(QStringLiteral("找不到")));
    }

    void deletingScoresTakesOnlyTheNamedOnes() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {scoreLine("一班", "张三", "1"), scoreLine("一班", "张三", "2"),
                           scoreLine("一班", "张三", "3")}),
                 DoneText);
        const QStringList lines = f.scores("一班").split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        const QString first = lines[0].section(u'\t', 0, 0);
        const QString third = lines[2].section(u'\t', 0, 0);
        QCOMPARE(
            f.change("/delscore.php", QStringLiteral("&class=一班&delid=|%1|%2").arg(third, first)),
            DoneText);
        QCOMPARE(f.scores("一班"), lines[1]);
        // Sent again after a lost reply: nothing left to delete, nothing refused.
        QCOMPARE(
            f.change("/delscore.php", QStringLiteral("&class=一班&delid=|%1|%2").arg(third, first)),
            DoneText);
        QCOMPARE(f.change("/delscore.php", QStringLiteral("&class=一班&delid=")), DoneText);
        QVERIFY(f.change("/delscore.php", QStringLiteral("&class=一班&delid=|1 OR 1=1")) !=
                DoneText);
    }

    void removingAClassOrStudentTakesTheirScores() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {scoreLine("一班", "张三", "5"), scoreLine("一班", "李四", "4"),
                           scoreLine("二班", "赵六", "3")}),
                 DoneText);
        QCOMPARE(f.change("/student.php", QStringLiteral("&class=一班&student=李四|王五|新生")),
                 DoneText);
        QCOMPARE(f.scores("一班").count(QStringLiteral("\t李四\t")), 1);
        QVERIFY(!f.scores("一班").contains(QStringLiteral("张三")));
        QVERIFY(f.record().contains(QStringLiteral(
            "一班\t李四\t0\t4\t4\t1\r\n一班\t王五\t0\t0\t0\t0\r\n一班\t新生\t0\t0\t0\t0\r\n")));
        // A student put back is a new student without the old scores.
        QCOMPARE(
            f.change("/student.php", QStringLiteral("&class=一班&student=李四|王五|新生|张三")),
            DoneText);
        QVERIFY(f.record().contains(QStringLiteral("一班\t张三\t0\t0\t0\t0")));

        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=一班")), DoneText);
        QCOMPARE(f.scores("二班"), QString());
        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=一班|二班")), DoneText);
        QVERIFY(!f.record().contains(QStringLiteral("赵六")));
        QVERIFY(f.change("/student.php", QStringLiteral("&class=三班&student=甲"))
                    .contains(QStringLiteral("三班")));
    }

    void renamesKeepHistory() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "5")}), DoneText);
        QCOMPARE(f.change("/renameclass.php",
                          QStringLiteral("&oldclassname=一班&newclassname=高一(1)班")),
                 DoneText);
        QCOMPARE(f.change("/renamestudent.php",
                          QStringLiteral("&oldstuname=张三&newstuname=张叁&class=高一(1)班")),
                 DoneText);
        QCOMPARE(f.change("/renameketi.php", QStringLiteral("&oldketi=函数&newketi=函数初步")),
                 DoneText);
        QVERIFY(f.scores("高一(1)班")
                    .contains(QStringLiteral("\t张叁\t5\t2024-03-15 08:01:02\t函数初步\t")));
        QVERIFY(f.read("/getscale.php", QStringLiteral("keti=函数初步&"))
                    .contains(QStringLiteral("\t正确\t5")));

        QVERIFY(f.change("/renameclass.php",
                         QStringLiteral("&oldclassname=高一(1)班&newclassname=二班"))
                    .contains(QStringLiteral("已存在")));
        QVERIFY(
            f.change("/renameclass.php", QStringLiteral("&oldclassname=无此班&newclassname=三班"))
                .contains(QStringLiteral("找不到")));
        QVERIFY(f.change("/renameclass.php", QStringLiteral("&oldclassname=二班&newclassname="))
                    .contains(QStringLiteral("不能为空")));
        // A control or bidi override would turn every list that shows the class around.
        for (const QString& hostile : {QStringLiteral("三\u202E班"), QStringLiteral("三\x7F班")}) {
            QVERIFY(f.change("/renameclass.php", "&oldclassname=二班&newclassname=" + hostile)
                        .contains(QStringLiteral("控制字符")));
            QVERIFY(f.change("/setclass.php", "&class=二班|" + hostile)
                        .contains(QStringLiteral("控制字符")));
        }
        QVERIFY(!f.read("/getteacher.php").contains(u"三"));
    }

    void topicRemovalKeepsRecordedScores() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "5")}), DoneText);
        QCOMPARE(f.change("/setketi.php", QStringLiteral("&keti=数列")), DoneText);
        QVERIFY(f.scores("一班").contains(QStringLiteral("\t函数\t")));
        QVERIFY(!f.record().contains(QStringLiteral("[keti]\t函数")));
        // A topic made again starts without the standards of the removed one.
        QCOMPARE(f.change("/setketi.php", QStringLiteral("&keti=数列|函数")), DoneText);
        QCOMPARE(f.read("/getscale.php", QStringLiteral("keti=函数&")), QString());
        QVERIFY(f.change("/setketi.php", QStringLiteral("&keti=数列|数列"))
                    .contains(QStringLiteral("重复")));
    }

    void standardsAreAddedEditedAndDeleted() {
        AliceFixture f;
        QVERIFY(f.ready);
        const QStringList standards =
            f.read("/getscale.php", QStringLiteral("keti=函数&")).split(QStringLiteral("\r\n"));
        QCOMPARE(standards.size(), 2);
        QCOMPARE(standards[0].section(u'\t', 1), QStringLiteral("正确\t5"));
        QCOMPARE(standards[1].section(u'\t', 1), QStringLiteral("部分正确\t2.5"));
        const QString firstId = standards[0].section(u'\t', 0, 0);
        QCOMPARE(
            f.change(
                "/editscale.php",
                QStringLiteral("&class=班级&scaleid=%1&scale=完全正确&score=6分").arg(firstId)),
            DoneText);
        QVERIFY(
            f.record().contains(QStringLiteral("[keti]\t函数\t完全正确\t6\t部分正确\t2.5\r\n")));
        QCOMPARE(f.change("/delscale.php", QStringLiteral("&keti=函数&delid=|%1").arg(firstId)),
                 DoneText);
        QVERIFY(f.record().contains(QStringLiteral("[keti]\t函数\t部分正确\t2.5\r\n")));

        QVERIFY(f.change("/newscale.php",
                         QStringLiteral("&keti=函数&newscale=\t\t\t\t&newscore=\t\t5\t\t"))
                    .contains(QStringLiteral("第3个")));
        QVERIFY(f.change("/newscale.php",
                         QStringLiteral("&keti=函数&newscale=\t\t\t\t&newscore=\t\t\t\t")) !=
                DoneText);
        QVERIFY(f.change("/newscale.php", QStringLiteral("&keti=无此课题&newscale=好&newscore=1"))
                    .contains(QStringLiteral("找不到")));
    }

    void groupsNameOnlyStudentsOfTheClass() {
        AliceFixture f;
        QVERIFY(f.ready);
        auto groups = [&](const QString& group1) {
            QString body = QStringLiteral("&class=一班");
            for (int g = 0; g < 16; ++g)
                body += QStringLiteral("&group[%1]=%2").arg(g).arg(g == 1 ? group1 : QString());
            return f.change("/group.php", body);
        };
        QVERIFY(groups(QStringLiteral("张三|赵六")).contains(QStringLiteral("赵六")));
        QVERIFY(groups(QStringLiteral("张三|张三")).contains(QStringLiteral("张三")));
        QVERIFY(f.record().contains(QStringLiteral("一班\t张三\t0\t")));
        QCOMPARE(groups(QStringLiteral("张三|李四")), DoneText);
        QVERIFY(f.record().contains(QStringLiteral("一班\t李四\t1\t")));
    }

    // Every change names its fields; one left out is refused and changes nothing, while an
    // explicitly empty list still clears.
    void anAbsentFieldIsRefusedNotReadAsEmpty() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "5")}), DoneText);
        const QString before = f.record();
        QString groups = QStringLiteral("&class=一班");
        for (int g = 0; g < 15; ++g) // group[15] left out
            groups += QStringLiteral("&group[%1]=").arg(g);
        const QList<QPair<const char*, QString>> incomplete = {
            {"/setclass.php", QString()},
            {"/student.php", QStringLiteral("&class=一班")},
            {"/setketi.php", QStringLiteral("&kti=函数")},
            {"/renameclass.php", QStringLiteral("&oldclassname=一班")},
            {"/group.php", groups},
            {"/delscore.php", QStringLiteral("&class=一班")},
            {"/delscale.php", QStringLiteral("&keti=函数")},
            {"/index.php", QStringLiteral("&keti=函数")},
            {"/editscore.php", QStringLiteral("&scoreid=1&score=1&keti=函数&addtion=")},
        };
        for (const auto& [path, rest] : incomplete) {
            const ordalis::service::Reply reply =
                f.post(path, QStringLiteral("username=alice&password=alice-op") + rest);
            QVERIFY2(reply.status == 400 && f.text(reply).contains(QStringLiteral("缺少")), path);
        }
        QCOMPARE(f.text(f.post("/setteacher.php", "username=alice&oldsuperpassword=alice-op")),
                 QStringLiteral("请求缺少字段：email"));
        QCOMPARE(f.get("/getscore.php", QStringLiteral("t=alice&mp=x")).status, 400);
        QCOMPARE(f.record(), before);

        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=")), DoneText);
        QCOMPARE(f.record(),
                 QStringLiteral("Class_Is_Ready\t\r\n[keti]\t函数\t正确\t5\t部分正确\t2.5\r\n"
                                "[keti]\t数列\r\n"));
    }

    // Scores stay plain finite numbers a record can total, and lists stay within bounds.
    void numbersAndListsAreBounded() {
        AliceFixture f;
        QVERIFY(f.ready);
        const QString before = f.record();
        const QString huge = QStringLiteral("1") + QString(308, u'0');
        QVERIFY(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", huge)})
                    .contains(QStringLiteral("第1行")));
        QVERIFY(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "-1000001分")})
                    .contains(QStringLiteral("1000000")));
        QVERIFY(f.change("/newscale.php",
                         QStringLiteral("&keti=函数&newscale=多\t&newscore=2000000\t")) !=
                DoneText);
        const QString scaleId =
            f.read("/getscale.php", QStringLiteral("keti=函数&")).section(u'\t', 0, 0);
        QVERIFY(f.change("/editscale.php",
                         QStringLiteral("&scaleid=%1&scale=多&score=%2").arg(scaleId, huge)) !=
                DoneText);
        QCOMPARE(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "1000000")}),
                 DoneText);
        const QString scoreId = f.scores("一班").section(u'\t', 0, 0);
        QVERIFY(f.change("/editscore.php",
                         QStringLiteral("&scoreid=%1&score=2000000&time=0&keti=函数&addtion=")
                             .arg(scoreId)) != DoneText);
        QVERIFY(f.record().contains(QStringLiteral("一班\t张三\t0\t1000000\t1000000\t1\r\n")));

        QStringList many;
        for (int i = 0; i <= 500; ++i)
            many.append(QStringLiteral("班%1").arg(i));
        QVERIFY(f.change("/setclass.php", QStringLiteral("&class=") + many.join(u'|'))
                    .contains(QStringLiteral("最多500个")));
        QVERIFY(f.change("/student.php", QStringLiteral("&class=一班&student=") + many.join(u'|'))
                    .contains(QStringLiteral("最多500个")));
        QVERIFY(f.change("/setketi.php", QStringLiteral("&keti=") + many.join(u'|'))
                    .contains(QStringLiteral("最多500个")));
        many.removeLast();
        QCOMPARE(f.change("/setketi.php", QStringLiteral("&keti=") + many.join(u'|')), DoneText);
        QVERIFY(before.startsWith(f.record().section(QStringLiteral("[keti]"), 0, 0)));
    }

    // Uploads arriving together may share a commit; each keeps its own outcome all the same.
    void concurrentUploadsKeepTheirOwnOutcome() {
        AliceFixture f;
        QVERIFY(f.ready);
        constexpr int Clients = 12;
        QList<QString> replies(Clients);
        QList<QThread*> clients;
        for (int i = 0; i < Clients; ++i)
            clients.append(QThread::create([&f, &replies, i] {
                // Every third upload names a student who is not there and stores nothing.
                replies[i] = f.upload(QStringLiteral("函数"),
                                      {scoreLine("一班", "张三", "1"),
                                       scoreLine("一班", i % 3 ? "李四" : "无名", "2")});
            }));
        for (QThread* client : clients)
            client->start();
        for (QThread* client : clients) {
            client->wait();
            delete client;
        }
        for (int i = 0; i < Clients; ++i)
            QVERIFY2(i % 3 ? replies[i] == DoneText : replies[i].contains(QStringLiteral("无名")),
                     qPrintable(replies[i]));
        QVERIFY(f.record().contains(QStringLiteral("一班\t张三\t0\t8\t1\t8\r\n")));
        QVERIFY(f.record().contains(QStringLiteral("一班\t李四\t0\t16\t2\t8\r\n")));
    }

    // Reads with the right mp never fail while the teacher's data is being changed, and so
    // never lock the teacher out: several readers check their credential for the first time
    // while a class is renamed back and forth.
    void readsNeverFailWhileTheDataChanges() {
        AliceFixture f;
        QVERIFY(f.ready);
        QStringList names;
        for (int i = 0; i < 500; ++i)
            names.append(QStringLiteral("学生%1").arg(i));
        QStringList classes;
        for (int c = 0; c < 5; ++c) {
            classes.append(QStringLiteral("班%1").arg(c));
            QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=") + classes.join(u'|')),
                     DoneText);
            QCOMPARE(f.change("/student.php", QStringLiteral("&class=%1&student=%2")
                                                  .arg(classes.last(), names.join(u'|'))),
                     DoneText);
        }
        std::atomic<bool> renaming = true;
        std::atomic<int> failedReads = 0;
        QThread* renamer = QThread::create([&] {
            for (int i = 0; i < 30; ++i)
                f.change("/renameclass.php",
                         i % 2 ? QStringLiteral("&oldclassname=甲&newclassname=班0")
                               : QStringLiteral("&oldclassname=班0&newclassname=甲"));
            renaming = false;
        });
        QList<QThread*> readers;
        for (int r = 0; r < 6; ++r)
            readers.append(QThread::create([&] {
                do {
                    const ordalis::service::Reply reply =
                        f.get("/record.php",
                              QStringLiteral("t=alice&mp=") + ordalis::md5Hex(AliceFixture::Login));
                    if (reply.status != 200 || !reply.body.startsWith("Class_Is_Ready"))
                        ++failedReads;
                } while (renaming);
            }));
        renamer->start();
        for (QThread* reader : readers)
            reader->start();
        for (QThread* thread : readers + QList<QThread*>{renamer}) {
            thread->wait();
            delete thread;
        }
        QCOMPARE(failedReads.load(), 0);
    }

    // What deletions remove is kept and can be brought back, all of it or what went since a
    // moment; names given again in between take back what was theirs.
    void deletionsAreKeptAndRestored() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {scoreLine("一班", "张三", "5"), scoreLine("二班", "赵六", "3")}),
                 DoneText);
        QString groups = QStringLiteral("&class=一班");
        for (int g = 0; g < 16; ++g)
            groups += QStringLiteral("&group[%1]=%2").arg(g).arg(g == 1 ? "张三" : "");
        QCOMPARE(f.change("/group.php", groups), DoneText);
        const QString before = f.record();
        const QString scaleId =
            f.read("/getscale.php", QStringLiteral("keti=函数&")).section(u'\t', 0, 0);
        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=二班")), DoneText);
        QCOMPARE(f.change("/setketi.php", QStringLiteral("&keti=函数")), DoneText);
        // The class went an hour ago; the standard goes now.
        QSqlQuery(f.database->connection())
            .exec(QStringLiteral("UPDATE deleted_items SET deleted_at = deleted_at - 3600"));
        QCOMPARE(f.change("/delscale.php", QStringLiteral("&keti=函数&delid=") + scaleId),
                 DoneText);
        const QString location = f.dir.filePath(QStringLiteral("service.sqlite"));
        const ordalis::Expected<QString> recent = ordalis::ScoreService::restoreDeleted(
            location, QStringLiteral("alice"), QDateTime::currentDateTime().addSecs(-600));
        QVERIFY2(recent, qPrintable(recent.why()));
        QCOMPARE(*recent, QStringLiteral("restored 0 classes, 0 students, 0 topics, 1 standards, "
                                         "0 scores"));
        QVERIFY(!f.record().contains(QStringLiteral("一班")));
        // A restored standard comes after those the topic has now.
        QVERIFY(f.record().contains(QStringLiteral("[keti]\t函数\t部分正确\t2.5\t正确\t5\r\n")));

        QCOMPARE(ordalis::ScoreService::restoreDeleted(location, QStringLiteral("alice"), {})
                     .valueOr({}),
                 QStringLiteral("restored 1 classes, 3 students, 1 topics, 0 standards, "
                                "1 scores"));
        // Everything is back; the restored class and topic come last in their lists.
        const QString after = f.record();
        QVERIFY(after.startsWith(QStringLiteral("Class_Is_Ready\t二班\t一班\t\r\n")));
        for (const QString& line : before.split(QStringLiteral("\r\n")).mid(2))
            QVERIFY2(after.contains(line), qPrintable(line));
        QVERIFY(!ordalis::ScoreService::restoreDeleted(location, QStringLiteral("nobody"), {}));
    }

    // A running service lists a teacher's kept deletions with the scores they took, and brings
    // back the chosen ones, each once, with the operation password: never another teacher's.
    void chosenDeletionsComeBackForTheirTeacherOnly() {
        AliceFixture f;
        QVERIFY(f.ready &&
                f.registerTeacher(QStringLiteral("bob1"), QStringLiteral("bob-login"),
                                  QStringLiteral("bob-op"), QStringLiteral("bob@example.com")));
        QCOMPARE(f.upload(QStringLiteral("函数"), {scoreLine("一班", "张三", "5")}), DoneText);
        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=二班")), DoneText);
        QCOMPARE(f.ProtocolFixture::change("/setclass.php", QStringLiteral("bob1"),
                                           QStringLiteral("bob-op"), QStringLiteral("&class=乙班")),
                 DoneText);
        QCOMPARE(f.ProtocolFixture::change("/setclass.php", QStringLiteral("bob1"),
                                           QStringLiteral("bob-op"), QStringLiteral("&class=")),
                 DoneText);
        ordalis::ScoreService service;
        QVERIFY(service.start(f.dir.filePath(QStringLiteral("service.sqlite"))));
        const auto kept =
            service.deletedItems(AliceFixture::Account, ordalis::md5Hex(AliceFixture::Login));
        QVERIFY2(kept && kept->size() == 1, qPrintable(kept.why()));
        QCOMPARE(kept->at(0).kind, ordalis::service::DeletedKind::Class);
        QCOMPARE(kept->at(0).name, QStringLiteral("一班"));
        QCOMPARE(kept->at(0).scores, 1);
        QVERIFY(!service.deletedItems(AliceFixture::Account, AliceFixture::Login));
        const qint64 bobs =
            service
                .deletedItems(QStringLiteral("bob1"), ordalis::md5Hex(QStringLiteral("bob-login")))
                ->at(0)
                .id;

        QCOMPARE(service
                     .restoreDeletedItems(AliceFixture::Account, QStringLiteral("wrong"),
                                          {kept->at(0).id})
                     .why(),
                 QStringLiteral("用户名或操作密码错误"));
        QVERIFY(
            service.restoreDeletedItems(AliceFixture::Account, AliceFixture::Operation, {bobs}));
        QVERIFY(!f.record().contains(QStringLiteral("乙班")));
        QVERIFY(service.restoreDeletedItems(AliceFixture::Account, AliceFixture::Operation,
                                            {kept->at(0).id, kept->at(0).id}));
        QCOMPARE(f.scores("一班").split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 1);
        QVERIFY(service.deletedItems(AliceFixture::Account, ordalis::md5Hex(AliceFixture::Login))
                    ->isEmpty());
        QCOMPARE(
            service
                .deletedItems(QStringLiteral("bob1"), ordalis::md5Hex(QStringLiteral("bob-login")))
                ->size(),
            1);
    }
};

QTEST_GUILESS_MAIN(DataChangesTest)
#include "tst_data_changes.moc"
