// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher record as the program reads it, and that it follows every change at once.

#include "ProtocolFixture.h"

using namespace ordalis::service::test;

class RecordBuilderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutIsExact() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {QStringLiteral("一班\t张三\t5分\t2024-03-15 08:01:02\t正确"),
                           QStringLiteral("一班\t张三\t2分\t2024-03-15 08:02:02\t"),
                           QStringLiteral("一班\t张三\t3.5\t2024-03-15 08:03:02\t"),
                           QStringLiteral("二班\t赵六\t4\t2024-03-15 08:04:02\t")}),
                 QStringLiteral("Success!"));
        const QByteArray bytes = f.get("/record.php", QStringLiteral("t=alice&mp=") +
                                                          ordalis::md5Hex(AliceFixture::Login))
                                     .body;
        const QString expected = QStringLiteral("Class_Is_Ready\t一班\t二班\t\r\n"
                                                "[keti]\t函数\t正确\t5\t部分正确\t2.5\r\n"
                                                "[keti]\t数列\r\n"
                                                "一班\t张三\t0\t10.5\t3.5\t3\r\n"
                                                "一班\t李四\t0\t0\t0\t0\r\n"
                                                "一班\t王五\t0\t0\t0\t0\r\n"
                                                "二班\t赵六\t0\t4\t4\t1\r\n");
        QCOMPARE(bytes, ordalis::gb18030::encode(expected));
    }

    void averageIsRoundedToTwoPlaces() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {QStringLiteral("一班\t李四\t1\t2024-03-15 08:01:02\t"),
                           QStringLiteral("一班\t李四\t1\t2024-03-15 08:01:03\t"),
                           QStringLiteral("一班\t李四\t0\t2024-03-15 08:01:04\t")}),
                 QStringLiteral("Success!"));
        QVERIFY(f.record().contains(QStringLiteral("一班\t李四\t0\t2\t0.67\t3\r\n")));
    }

    void emptyTeacherHasOnlyTheClassLine() {
        ProtocolFixture f;
        QVERIFY(
            f.registerTeacher(QStringLiteral("empty"), QStringLiteral("pw"), QStringLiteral("op")));
        QCOMPARE(f.read("/record.php", QStringLiteral("empty"), QStringLiteral("pw")),
                 QStringLiteral("Class_Is_Ready\t\r\n"));
    }

    // The record is kept between reads; every kind of change must show in the next read.
    void everyChangeShowsInTheNextRead() {
        AliceFixture f;
        QVERIFY(f.ready);
        QVERIFY(f.record().contains(QStringLiteral("一班\t张三\t0\t0\t0\t0")));
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {QStringLiteral("一班\t张三\t4\t2024-03-15 08:01:02\t")}),
                 QStringLiteral("Success!"));
        QVERIFY(f.record().contains(QStringLiteral("一班\t张三\t0\t4\t4\t1")));
        QCOMPARE(f.change("/renamestudent.php",
                          QStringLiteral("&oldstuname=张三&newstuname=张珊&class=一班")),
                 QStringLiteral("Success!"));
        QVERIFY(f.record().contains(QStringLiteral("一班\t张珊\t0\t4\t4\t1")));
        QCOMPARE(f.change("/renameketi.php", QStringLiteral("&oldketi=数列&newketi=等差数列")),
                 QStringLiteral("Success!"));
        QVERIFY(f.record().contains(QStringLiteral("[keti]\t等差数列\r\n")));
        QString groups = QStringLiteral("&class=一班");
        for (int g = 0; g < 16; ++g)
            groups += QStringLiteral("&group[%1]=%2")
                          .arg(g)
                          .arg(g == 3 ? QStringLiteral("张珊|王五") : QString());
        // group.php begins with the class; the fixture's change() puts the credentials first,
        // which the service reads by name all the same.
        QCOMPARE(f.change("/group.php", groups), QStringLiteral("Success!"));
        QVERIFY(f.record().contains(QStringLiteral("一班\t张珊\t3\t4\t4\t1")));
        QVERIFY(f.record().contains(QStringLiteral("一班\t王五\t3\t0\t0\t0")));
        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=二班|一班")),
                 QStringLiteral("Success!"));
        QVERIFY(f.record().startsWith(QStringLiteral("Class_Is_Ready\t二班\t一班\t\r\n")));
    }
};

QTEST_GUILESS_MAIN(RecordBuilderTest)
#include "tst_record_builder.moc"
