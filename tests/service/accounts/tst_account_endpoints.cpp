// SPDX-License-Identifier: GPL-3.0-or-later
// Registration, the name check, personal data, the service's pages, and how field values are
// read off the wire.

#include "ProtocolFixture.h"
#include "http/FormFields.h"

using namespace ordalis::service;
using namespace ordalis::service::test;

class AccountEndpointsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fieldsAreSplitBeforeTheyAreDecoded() {
        const FormFields fields = *FormFields::parse(
            "class=%D2%BB%B0%E0&name=a+b%2&x=%26%3D&empty=&bare&class=second", 6);
        QCOMPARE(fields.value("class"), QStringLiteral("一班")); // the first of two pairs counts
        QCOMPARE(fields.value("name"), QStringLiteral("a+b%2"));
        QCOMPARE(fields.value("x"), QStringLiteral("&="));
        QVERIFY(fields.contains("empty") && fields.value("empty").isEmpty());
        QVERIFY(fields.contains("bare"));
        QVERIFY(!fields.contains("missing"));
        QCOMPARE(FormFields::parse("k=%E4%E4%zz%4", 1)->value("k"),
                 ordalis::gb18030::decode("\xE4\xE4") + QStringLiteral("%zz%4"));
        // Past the cap nothing is decoded: the empty pairs of a flood count as well.
        QVERIFY(!FormFields::parse(QByteArray(100, '&'), 64));
    }

    void registrationAndNameCheck() {
        ProtocolFixture f;
        QVERIFY(f.opened);
        QCOMPARE(f.get("/checkusername.php", QStringLiteral("u=teacher1")).body,
                 QByteArray("\xA1\xCC"));
        QVERIFY(f.registerTeacher(QStringLiteral("teacher1"), QStringLiteral("pw"),
                                  QStringLiteral("op")));
        QCOMPARE(f.text(f.get("/checkusername.php", QStringLiteral("u=teacher1"))),
                 QStringLiteral("该帐号已被注册"));
        QVERIFY(f.text(f.get("/checkusername.php", QStringLiteral("u=ab"))) != QStringLiteral("√"));
        QVERIFY(f.text(f.get("/checkusername.php", QStringLiteral("u=张三丰老师"))) !=
                QStringLiteral("√"));
        QVERIFY(!f.registerTeacher(QStringLiteral("teacher1"), QStringLiteral("pw2"),
                                   QStringLiteral("op2")));
        QVERIFY(!f.registerTeacher(QStringLiteral("bad name"), QStringLiteral("pw"),
                                   QStringLiteral("op")));
        QVERIFY(!f.registerTeacher(QStringLiteral("teacher2"), QStringLiteral("pw"),
                                   QStringLiteral("op"), QStringLiteral("no-at-sign")));
        QVERIFY(!f.registerTeacher(QStringLiteral("teacher3"), QStringLiteral(""),
                                   QStringLiteral("op")));
        // Values are trimmed as the registration window trims them.
        QCOMPARE(
            f.text(f.post("/regteacher.php",
                          QStringLiteral("username= teacher4 &teachername= 李老师 &password= pw "
                                         "&superpassword=op&email=l@example.com&mb=&tel=&qq="))),
            QStringLiteral("Success!"));
        QCOMPARE(f.read("/getteacher.php", QStringLiteral("teacher4"), QStringLiteral("pw")),
                 QStringLiteral("李老师\r\nteacher4\r\nl@example.com"));
    }

    void personalDataChangesNeedTheOperationPassword() {
        ProtocolFixture f;
        QVERIFY(f.registerTeacher(QStringLiteral("teacher1"), QStringLiteral("pw"),
                                  QStringLiteral("op")));
        QVERIFY(
            f.text(f.post("/setteacher.php",
                          QStringLiteral("username=teacher1&email=x@example.com&oldsuperpassword=pw"
                                         "&newlogpassword=&newsuperpassword="))) !=
            QStringLiteral("Success!"));
        QVERIFY(f.text(f.post("/setteacher.php",
                              QStringLiteral("username=teacher1&email=broken&oldsuperpassword=op"
                                             "&newlogpassword=&newsuperpassword="))) !=
                QStringLiteral("Success!"));
        QCOMPARE(
            f.text(f.post("/setteacher.php",
                          QStringLiteral("username=teacher1&email=x@example.com&oldsuperpassword=op"
                                         "&newlogpassword=&newsuperpassword="))),
            QStringLiteral("Success!"));
        // Empty new passwords leave both passwords as they were.
        QCOMPARE(
            f.text(f.post("/checkpassword.php", QStringLiteral("username=teacher1&password=pw"))),
            QStringLiteral("Success!"));
        QCOMPARE(f.read("/getteacher.php", QStringLiteral("teacher1"), QStringLiteral("pw"))
                     .section(QStringLiteral("\r\n"), 2),
                 QStringLiteral("x@example.com"));
    }

    void sitePages() {
        AliceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.text(f.get("/version.php", QStringLiteral("s=Tumbrel&t=0.5"))),
                 QStringLiteral("Tumbrel:" ORDALIS_VERSION));
        const qint64 serverTime =
            f.text(f.get("/servertime.php", QStringLiteral("t=0.3"))).toLongLong();
        QVERIFY(qAbs(serverTime - QDateTime::currentSecsSinceEpoch()) <= 2);
        QVERIFY(f.get("/update.php", QStringLiteral("sort=Tumbrel"))
                    .contentType.startsWith("text/html"));
        QVERIFY(f.get("/", {}).body.contains("<html"));
        QCOMPARE(f.get("/nothing.php", {}).status, 404);

        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {QStringLiteral("一班\t张三\t5分\t2024-03-15 08:01:02\t<b>正确</b>"),
                           QStringLiteral("一班\t李四\t3分\t2024-03-15 08:01:03\t")}),
                 QStringLiteral("Success!"));
        const QString page = QString::fromUtf8(
            f.get("/", QStringLiteral("t=alice&n=1&mp=") + ordalis::md5Hex(AliceFixture::Login))
                .body);
        QVERIFY(page.contains(QStringLiteral("李四")));
        QVERIFY(!page.contains(QStringLiteral("张三"))); // only the last n lines
        const QString both = QString::fromUtf8(
            f.get("/", QStringLiteral("t=alice&n=2&mp=") + ordalis::md5Hex(AliceFixture::Login))
                .body);
        QVERIFY(both.contains(QStringLiteral("&lt;b&gt;正确")) &&
                !both.contains(QStringLiteral("<b>")));
        QVERIFY(!QString::fromUtf8(f.get("/", QStringLiteral("t=alice&n=2&mp=0")).body)
                     .contains(QStringLiteral("李四")));
    }
};

QTEST_GUILESS_MAIN(AccountEndpointsTest)
#include "tst_account_endpoints.moc"
