// SPDX-License-Identifier: GPL-3.0-or-later
// The account forms' own judgements: which names the service is asked about, which e-mail
// addresses pass, and when a password reset may be sent.

#include "accounts/NameCheck.h"
#include "accounts/PasswordResetForm.h"
#include "accounts/RegistrationForm.h"

#include <QTest>

using namespace ordalis;

class AccountFormsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesJudgedWithoutTheService() {
        NameCheck check;
        QVERIFY(!check.nameChanged("abc"));
        QCOMPARE(check.hint(), NameCheck::LengthHint);
        QCOMPARE(check.colour(), NameCheck::Colour::Red);
        for (const char* illegal : {"ab cd", "ab-cd", "张三abcd"}) {
            QVERIFY(!check.nameChanged(QString::fromUtf8(illegal)));
            QCOMPARE(check.hint(), NameCheck::IllegalHint);
            QCOMPARE(check.colour(), NameCheck::Colour::Red);
        }
        // Upper-case letters pass; the service decides from here on.
        const auto query = check.nameChanged("Teacher_01");
        QVERIFY(query);
        QCOMPARE(query->name, QStringLiteral("Teacher_01"));
        QCOMPARE(check.hint(), NameCheck::CheckingHint);
        QCOMPARE(check.colour(), NameCheck::Colour::White);
        QVERIFY(!check.canRegister());
        QVERIFY(check.replyArrived(query->ticket, "√"));
        QVERIFY(check.canRegister());
        QCOMPARE(check.colour(), NameCheck::Colour::Green);
        // A reply counts once.
        QVERIFY(!check.replyArrived(query->ticket, "x"));
        QCOMPARE(check.hint(), NameCheck::FreeReply);
    }

    void emailAddresses_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("wellFormed");
        QTest::newRow("word.word@word.word") << "li.ming@school.cn" << true;
        QTest::newRow("plus and hyphens") << "li+class-1@mail.school-x.edu.cn" << true;
        QTest::newRow("no dot after @") << "li@school" << false;
        QTest::newRow("two @") << "li@x@school.cn" << false;
        QTest::newRow("blank around") << " li@school.cn" << false;
    }
    void emailAddresses() {
        QFETCH(QString, address);
        QFETCH(bool, wellFormed);
        QCOMPARE(isWellFormedEmail(address), wellFormed);
    }

    void resetNeedsAChosenTypedPassword() {
        PasswordResetForm form{"  ", "t@example.com", "123456", false, {}, false, {}};
        QVERIFY(!form.canRequestCode());
        form.account = "anna";
        QVERIFY(form.canRequestCode());
        QVERIFY(!form.canReset());

        form.resetsLogin = true;
        form.newLoginPassword = " \t";
        QVERIFY(!form.canReset());
        form.newLoginPassword = " new pw ";
        QVERIFY(form.canReset());
        QCOMPARE(form.sentLoginPassword(), QStringLiteral("new pw"));
        QCOMPARE(form.sentOperationPassword(), QString());

        form.resetsOperation = true;
        QVERIFY(!form.canReset());
        form.newOperationPassword = "op";
        form.checkCode = " ";
        QVERIFY(!form.canReset());
    }
};

QTEST_GUILESS_MAIN(AccountFormsTest)
#include "tst_account_forms.moc"
