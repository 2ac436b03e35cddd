// SPDX-License-Identifier: GPL-3.0-or-later
// The account forms' own judgements: which e-mail addresses pass, and how blanks count in a
// password reset.

#include "accounts/PasswordResetForm.h"
#include "accounts/RegistrationForm.h"

#include <QTest>

using namespace ordalis;

class AccountFormsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
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

    // Blanks alone are no account and no password; a chosen password is sent trimmed.
    void resetFieldsAreJudgedTrimmed() {
        PasswordResetForm form{"  ", "t@example.com", "123456", true, " \t", false, {}};
        QVERIFY(!form.canRequestCode());
        form.account = "anna";
        QVERIFY(form.canRequestCode());
        QVERIFY(!form.canReset());
        form.newLoginPassword = " new pw\u3000";
        QVERIFY(form.canReset());
        QCOMPARE(form.sentLoginPassword(), QStringLiteral("new pw"));
        QCOMPARE(form.sentOperationPassword(), QString());
    }
};

QTEST_GUILESS_MAIN(AccountFormsTest)
#include "tst_account_forms.moc"
