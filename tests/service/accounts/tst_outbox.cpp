// SPDX-License-Identifier: GPL-3.0-or-later
// Where check-code mails go: handed whole to a sendmail-compatible command, or kept in the
// spool when there is none or when the command refuses them.

#include "FakeSendmail.h"
#include "accounts/Outbox.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ordalis;
using namespace ordalis::service;
using test::FakeSendmail;

class OutboxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandGetsTheWholeMessage() {
        QTemporaryDir spool;
        FakeSendmail sendmail;
        Outbox outbox(spool.path(), sendmail.command(), QString());
        QVERIFY(outbox.send("anna", "anna@example.com", "验证码", "验证码是：123456"));
        outbox.flush();

        QCOMPARE(sendmail.arguments(), QStringList{"-t"});
        const QByteArrayList messages = sendmail.messages();
        QCOMPARE(messages.size(), 1);
        const QByteArray& message = messages.first();
        QVERIFY(message.startsWith("To: anna@example.com\nFrom: Ordalis <noreply@localhost>\n"
                                   "Subject: =?UTF-8?B?" +
                                   QStringLiteral("验证码").toUtf8().toBase64() + "?=\nDate: "));
        QVERIFY(message.contains("\nContent-Type: text/plain; charset=UTF-8\n"));
        QVERIFY(message.endsWith("\n\n" + QStringLiteral("验证码是：123456").toUtf8() + "\n"));
        QVERIFY(!message.contains('\r'));
        QVERIFY(QDir(spool.path()).isEmpty());
    }

    // The teacher's request is answered as usual; the administrator finds the reason in the
    // log and the mail in the spool.
    void refusedMailIsLoggedAndKept() {
        QTemporaryDir spool;
        FakeSendmail sendmail(FakeSendmail::Behaviour::Refuses);
        Outbox outbox(spool.path(), sendmail.command(), "Ordalis <ordalis@school.example>");
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("mail command .* failed for account anna "
                                                "\\(exit status 75\\); the mail is kept in "));
        QVERIFY(outbox.send("anna", "anna@example.com", "验证码", "123456"));
        outbox.flush();

        const QStringList kept = QDir(spool.path()).entryList({"*-anna.eml"});
        QCOMPARE(kept.size(), 1);
        QFile file(QDir(spool.path()).filePath(kept.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray message = file.readAll();
        QVERIFY(message.startsWith(
            "To: anna@example.com\r\nFrom: Ordalis <ordalis@school.example>\r\n"));
    }
};

QTEST_GUILESS_MAIN(OutboxTest)
#include "tst_outbox.moc"
