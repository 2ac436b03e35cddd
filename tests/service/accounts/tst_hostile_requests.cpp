// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile requests: uploads naming another teacher's students, forged or guessed credentials,
// names that would break the record or the wire format, and what the database keeps of a
// password. Another teacher's reach over every endpoint is tst_teacher_isolation's.

#include "ProtocolFixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QThread>

using namespace ordalis::service::test;

namespace {

const QString Success = QStringLiteral("Success!");

// Alice with one uploaded score, and Mallory, a second teacher of the same service.
struct TwoTeachers : AliceFixture {
    explicit TwoTeachers(ordalis::service::Throttle::Limits limits = {})
        : AliceFixture(limits) {
        ready = ready &&
                registerTeacher(QStringLiteral("mallory"), QStringLiteral("m-login"),
                                QStringLiteral("m-op")) &&
                upload(QStringLiteral("函数"),
                       {QStringLiteral("一班\t张三\t5\t2024-03-15 08:01:02\t")}) == Success;
    }
    QString asMallory(const char* path, const QString& rest) {
        return ProtocolFixture::change(path, QStringLiteral("mallory"), QStringLiteral("m-op"),
                                       rest);
    }
};

} // namespace

class HostileRequestsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A name that exists, but in another class or another account, is no student of the class
    // the line names: the whole upload is refused and nothing is stored.
    void uploadNamesOnlyTheTeachersOwnStudentsOfTheClass() {
        TwoTeachers f;
        QVERIFY(f.ready);
        QCOMPARE(f.asMallory("/setclass.php", QStringLiteral("&class=一班|三班")), Success);
        QCOMPARE(f.asMallory("/student.php", QStringLiteral("&class=一班&student=钱七")), Success);
        QCOMPARE(f.asMallory("/student.php", QStringLiteral("&class=三班&student=孙八")), Success);
        const QString aliceScores = f.scores("一班");
        for (const QString& line : {QStringLiteral("一班\t赵六"), QStringLiteral("一班\t钱七"),
                                    QStringLiteral("三班\t孙八")}) {
            const QString reply = f.upload(QStringLiteral("函数"),
                                           {QStringLiteral("一班\t张三\t4\t2024-03-15 08:01:02\t"),
                                            line + QStringLiteral("\t3\t2024-03-15 08:02:02\t")});
            QVERIFY2(reply.contains(QStringLiteral("第2行")), qPrintable(line + reply));
        }
        QCOMPARE(f.scores("一班"), aliceScores);
        QCOMPARE(f.scores("二班"), QString());
        for (const char* cls : {"一班", "三班"})
            QCOMPARE(f.ProtocolFixture::read(
                         "/getscore.php", QStringLiteral("mallory"), QStringLiteral("m-login"),
                         QStringLiteral("class=%1&").arg(QString::fromUtf8(cls))),
                     QString());
    }

    // A password is compared exactly: the right one in another letter case is wrong, whether
    // the credential was verified before (and is remembered) or not.
    void passwordsAreCaseSensitiveCachedOrNot() {
        TwoTeachers f;
        QVERIFY(f.ready);
        auto login = [&](const char* account, const char* password) {
            return f.text(f.post("/checkpassword.php",
                                 QStringLiteral("username=%1&password=%2")
                                     .arg(QLatin1String(account), QLatin1String(password))));
        };
        QVERIFY(login("alice", "ALICE-LOGIN") != Success); // not verified yet
        QCOMPARE(login("alice", "alice-login"), Success);
        QVERIFY(login("alice", "Alice-Login") != Success); // verified and remembered
        auto changeAs = [&](const char* account, const char* operation) {
            return f.ProtocolFixture::change("/setketi.php", QLatin1String(account),
                                             QLatin1String(operation), "&keti=函数|数列");
        };
        QVERIFY(changeAs("mallory", "M-OP") != Success); // not verified yet
        QCOMPARE(changeAs("mallory", "m-op"), Success);
        QVERIFY(changeAs("mallory", "M-Op") != Success);
        QVERIFY(changeAs("alice", "ALICE-OP") != Success); // remembered by the fixture's changes
        QCOMPARE(changeAs("alice", "alice-op"), Success);
    }

    void wrongCredentialsAreRefused() {
        AliceFixture f;
        QVERIFY(f.ready);
        QVERIFY(f.ProtocolFixture::read("/record.php", QStringLiteral("alice"),
                                        QStringLiteral("wrong")) != f.record());
        QVERIFY(!f.text(f.get("/record.php", QStringLiteral("t=alice&mp=")))
                     .contains(QStringLiteral("Class_Is_Ready")));
        QVERIFY(!f.text(f.get("/record.php", QStringLiteral("t=alice")))
                     .contains(QStringLiteral("Class_Is_Ready")));
        // mp is the MD5 of the login password, never the login password itself.
        QVERIFY(!f.text(f.get("/record.php", QStringLiteral("t=alice&mp=alice-login")))
                     .contains(QStringLiteral("Class_Is_Ready")));
        QVERIFY(f.ProtocolFixture::change("/setketi.php", QStringLiteral("alice"),
                                          QStringLiteral("alice-login"), "&keti=") != Success);
        QVERIFY(f.ProtocolFixture::change("/setketi.php", QStringLiteral("alice"), QString(),
                                          "&keti=") != Success);
        QVERIFY(f.text(f.post("/checkpassword.php",
                              QStringLiteral("username=alice&password=alice-op"))) != Success);
        QCOMPARE(f.text(f.post("/checkpassword.php",
                               QStringLiteral("username=alice&password=alice-login"))),
                 Success);
        // A change never comes as a GET.
        QCOMPARE(f.get("/setclass.php", QStringLiteral("username=alice&password=alice-op&class="))
                     .status,
                 405);
        QVERIFY(f.record().contains(QStringLiteral("一班")));
    }

    // Names reach the service percent-escaped by a hostile client as well: the decoded name is
    // what is checked.
    void namesThatWouldBreakTheFormatsAreRefused_data() {
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("tab") << QByteArray("%09");
        QTest::newRow("cr lf") << QByteArray("%0D%0A");
        QTest::newRow("bar") << QByteArray("%7C");
        QTest::newRow("ampersand") << QByteArray("%26");
        QTest::newRow("equals") << QByteArray("%3D");
        QTest::newRow("invalid gbk") << QByteArray("%FF%FF");
    }
    void namesThatWouldBreakTheFormatsAreRefused() {
        QFETCH(QByteArray, escaped);
        AliceFixture f;
        QVERIFY(f.ready);
        const QByteArray credentials = "username=alice&password=alice-op";
        const QByteArray name = "bad" + escaped + "name";
        // In a list value a bar is the separator, and in newscale a TAB is: those cases are
        // two names, not a bad one.
        const bool bar = escaped == "%7C";
        const bool tab = escaped == "%09";
        const QList<std::tuple<const char*, QByteArray, bool>> requests = {
            {"/setclass.php", "&class=%D2%BB%B0%E0|" + name, !bar},
            {"/renameclass.php", "&oldclassname=%D2%BB%B0%E0&newclassname=" + name, true},
            {"/student.php", "&class=%D2%BB%B0%E0&student=" + name, !bar},
            {"/renamestudent.php",
             "&oldstuname=%D5%C5%C8%FD&newstuname=" + name + "&class=%D2%BB%B0%E0", true},
            {"/setketi.php", "&keti=" + name, !bar},
            {"/renameketi.php", "&oldketi=%BA%AF%CA%FD&newketi=" + name, true},
            {"/newscale.php", "&keti=%BA%AF%CA%FD&newscale=" + name + "&newscore=1", !tab},
        };
        for (const auto& [path, fields, applies] : requests) {
            if (!applies)
                continue;
            const QString reply = f.text(f.postRaw(path, credentials + fields));
            QVERIFY2(reply != Success && !reply.isEmpty(),
                     (QString::fromLatin1(path) + reply).toUtf8().constData());
        }
        QCOMPARE(f.record().count(QStringLiteral("\r\n")), 7);
        QVERIFY(!f.record().contains(QStringLiteral("bad")));
    }

    void quotesAndSqlAreStoredAsPlainText() {
        AliceFixture f;
        QVERIFY(f.ready);
        const QString name = QStringLiteral("O'Brien\"); DROP TABLE scores; --");
        QCOMPARE(f.change("/student.php", QStringLiteral("&class=二班&student=赵六|") + name),
                 Success);
        QVERIFY(f.record().contains(QStringLiteral("二班\t") + name +
                                    QStringLiteral("\t0\t0\t0\t0\r\n")));
    }

    void passwordsAreKeptOnlyAsArgon2Hashes() {
        AliceFixture f;
        QVERIFY(f.ready);
        QSqlQuery query(f.database->connection());
        QVERIFY(query.exec(QStringLiteral(
            "SELECT login_hash, operation_hash, mp_hash FROM teachers WHERE account = 'alice'")));
        QVERIFY(query.next());
        const QString md5 = ordalis::md5Hex(AliceFixture::Login);
        for (int column = 0; column < 3; ++column) {
            const QString stored = query.value(column).toString();
            QVERIFY(stored.startsWith(QStringLiteral("$argon2id$")));
            QVERIFY(!stored.contains(md5) && !stored.contains(AliceFixture::Login) &&
                    !stored.contains(AliceFixture::Operation));
        }
    }

    void failedLoginsAreThrottledPerAccountAndPerClient() {
        ProtocolFixture f({3, 5, 900});
        QVERIFY(
            f.registerTeacher(QStringLiteral("alice"), QStringLiteral("pw"), QStringLiteral("op")));
        QVERIFY(
            f.registerTeacher(QStringLiteral("bob1"), QStringLiteral("pw"), QStringLiteral("op")));
        QVERIFY(
            f.registerTeacher(QStringLiteral("carol"), QStringLiteral("pw"), QStringLiteral("op")));
        auto login = [&](const QString& account, const QString& password, const QString& peer) {
            return f.text(f.post("/checkpassword.php",
                                 QStringLiteral("username=%1&password=%2").arg(account, password),
                                 peer));
        };
        for (int i = 0; i < 3; ++i)
            QVERIFY(login("alice", QStringLiteral("guess%1").arg(i), "192.0.2.1") != Success);
        // The guessing address is locked out of the account, even with the right password…
        QVERIFY(login("alice", "pw", "192.0.2.1").contains(QStringLiteral("失败次数过多")));
        QVERIFY(f.ProtocolFixture::change("/setketi.php", "alice", "op", "&keti=") != Success);
        // …while the teacher at another address is not, nor another account.
        QCOMPARE(login("alice", "pw", "10.0.0.99"), Success);
        QCOMPARE(login("bob1", "pw", "192.0.2.1"), Success);

        // One address guessing across accounts is stopped as well.
        for (int i = 0; i < 5; ++i)
            login(QStringLiteral("user%1").arg(i), "x", "10.9.9.9");
        QVERIFY(login("carol", "pw", "10.9.9.9").contains(QStringLiteral("失败次数过多")));

        // Account names are one whatever their letter case.
        QVERIFY(!f.registerTeacher(QStringLiteral("ALICE"), QStringLiteral("pw"),
                                   QStringLiteral("op")));
        QVERIFY(f.text(f.get("/checkusername.php", QStringLiteral("u=Bob1"))) !=
                QStringLiteral("√"));
    }

    // Guesses sent in parallel are each counted before they are checked, so no more are
    // checked than the limit allows.
    void parallelGuessesStopAtTheLimit() {
        ProtocolFixture f({5, 1000, 900});
        QVERIFY(
            f.registerTeacher(QStringLiteral("alice"), QStringLiteral("pw"), QStringLiteral("op")));
        QList<QThread*> guessers;
        for (int t = 0; t < 16; ++t)
            guessers.append(QThread::create([&f, t] {
                for (int i = 0; i < 3; ++i)
                    f.post("/checkpassword.php",
                           QStringLiteral("username=alice&password=g%1-%2").arg(t).arg(i));
            }));
        for (QThread* guesser : guessers)
            guesser->start();
        for (QThread* guesser : guessers) {
            guesser->wait();
            delete guesser;
        }
        QSqlQuery counted(f.database->connection());
        QVERIFY(counted.exec(QStringLiteral(
            "SELECT COUNT(*) FROM failed_attempts WHERE subject LIKE 'account:alice|%'")));
        QVERIFY(counted.next());
        QCOMPARE(counted.value(0).toInt(), 5);
    }

    // Registration and mailed codes are limited per client address and per mailbox; a reset
    // code is checked before any hash is made, and hashes wait for a free slot or are refused.
    void anonymousRequestsAreBounded() {
        ordalis::service::Throttle::Limits limits;
        limits.registrationsPerPeer = 3;
        limits.codeMailsPerEmail = 2;
        ProtocolFixture f(limits);
        for (const char* account : {"vic1", "vic2", "vic3"})
            QVERIFY(f.registerTeacher(QLatin1String(account), QStringLiteral("pw"),
                                      QStringLiteral("op"), QStringLiteral("victim@example.com")));
        QVERIFY(f.text(f.post("/regteacher.php",
                              "username=vic4&teachername=x&password=a&superpassword=b"
                              "&email=v@example.com&mb=&tel=&qq="))
                    .contains(QStringLiteral("频繁")));
        QCOMPARE(f.text(f.post("/regteacher.php",
                               "username=vic4&teachername=x&password=a&superpassword=b"
                               "&email=v@example.com&mb=&tel=&qq=",
                               QStringLiteral("10.1.1.1"))),
                 Success);

        auto requestCode = [&](const char* account) {
            return f.text(f.get(
                "/getpswdcode.php",
                QStringLiteral("username=%1&email=victim@example.com").arg(QLatin1String(account)),
                QStringLiteral("10.2.2.2")));
        };
        QCOMPARE(requestCode("vic1"), QStringLiteral("success"));
        QCOMPARE(requestCode("vic2"), QStringLiteral("success"));
        QVERIFY(requestCode("vic3").contains(QStringLiteral("频繁")));

        // With every hashing slot taken, a wrong code still gets its answer, while a new
        // account must wait for a slot and is turned away.
        std::vector<ordalis::service::PasswordHasher::Slot> held;
        try {
            for (;;)
                held.push_back(f.protocol->context().hasher.enter());
        } catch (const ordalis::service::HashingBusy&) {
        }
        QCOMPARE(f.text(f.post("/setpassword.php",
                               "username=vic1&checkcode=abc&newpswd=x&newsuperpswd=")),
                 QStringLiteral("failure"));
        QCOMPARE(f.post("/regteacher.php",
                        "username=vic5&teachername=x&password=a&superpassword=b"
                        "&email=v@example.com&mb=&tel=&qq=",
                        QStringLiteral("10.3.3.3"))
                     .status,
                 503);
    }

    // The hourly limit of mailed codes counts a whole hour, beyond the window of failures.
    void codeMailsCountAWholeHour() {
        ordalis::service::Throttle::Limits limits;
        limits.codeMailsPerAccount = 1;
        ProtocolFixture f(limits);
        QVERIFY(f.registerTeacher(QStringLiteral("alice"), QStringLiteral("pw"),
                                  QStringLiteral("op"), "a@example.com"));
        QSqlQuery earlier(f.database->connection());
        QVERIFY(earlier.exec(
            QStringLiteral(
                "INSERT INTO failed_attempts (subject, at) VALUES ('code-account:alice', "
                "%1)")
                .arg(QDateTime::currentSecsSinceEpoch() - 40 * 60)));
        QVERIFY(
            f.text(f.get("/getpswdcode.php", QStringLiteral("username=alice&email=a@example.com")))
                .contains(QStringLiteral("频繁")));
    }

    void checkCodesAreSingleUseAndThrottled() {
        ProtocolFixture f({4, 100, 900});
        QVERIFY(f.registerTeacher(QStringLiteral("alice"), QStringLiteral("pw"),
                                  QStringLiteral("op"), "a@example.com"));
        QCOMPARE(f.text(f.get("/getpswdcode.php",
                              QStringLiteral("username=alice&email=other@example.com"))),
                 QStringLiteral("failure"));
        QCOMPARE(
            f.text(f.get("/getpswdcode.php", QStringLiteral("username=alice&email=a@example.com"))),
            QStringLiteral("success"));
        const QStringList mails = QDir(f.dir.filePath("mail")).entryList(QDir::Files);
        QCOMPARE(mails.size(), 1);
        QFile mail(QDir(f.dir.filePath("mail")).filePath(mails[0]));
        QVERIFY(mail.open(QIODevice::ReadOnly));
        const QString content = QString::fromUtf8(mail.readAll());
        QVERIFY(content.contains(QStringLiteral("To: a@example.com")));
        const QString code = content.section(QStringLiteral("验证码是："), 1).left(6);
        QCOMPARE(code.size(), 6);

        auto reset = [&](const QString& checkCode, const QString& login) {
            return f.text(
                f.post("/setpassword.php",
                       QStringLiteral("username=alice&checkcode=%1&newpswd=%2&newsuperpswd=")
                           .arg(checkCode, login)));
        };
        QCOMPARE(reset(code == "000000" ? "000001" : "000000", "guess"), QStringLiteral("failure"));
        QCOMPARE(reset(code, "new-pw"), QStringLiteral("success"));
        QCOMPARE(reset(code, "again"), QStringLiteral("failure"));
        QCOMPARE(f.text(f.post("/checkpassword.php", "username=alice&password=new-pw")), Success);
        QVERIFY(f.ProtocolFixture::read("/getteacher.php", "alice", "new-pw")
                    .startsWith(QStringLiteral("老师\r\n")));
        QVERIFY(f.text(f.post("/checkpassword.php", "username=alice&password=pw")) != Success);

        // The failures so far (wrong address, wrong code, used code, old password) lock the
        // account: even a fresh, right code is no longer taken.
        QCOMPARE(
            f.text(f.get("/getpswdcode.php", QStringLiteral("username=alice&email=a@example.com")))
                .contains("success"),
            false);
    }

    // A check code is kept only as a hash, its mail only its owner may read, and it dies after
    // five wrong tries, from whatever addresses they come.
    void checkCodesAreHashedPrivateAndDieAfterFiveTries() {
        ProtocolFixture f({100, 1000, 900});
        QVERIFY(f.registerTeacher(QStringLiteral("alice"), QStringLiteral("pw"),
                                  QStringLiteral("op"), "a@example.com"));
        auto requestCode = [&] {
            QCOMPARE(f.text(f.get("/getpswdcode.php",
                                  QStringLiteral("username=alice&email=a@example.com"))),
                     QStringLiteral("success"));
            const QDir folder(f.dir.filePath("mail"));
            const QFileInfoList mails =
                folder.entryInfoList(QDir::Files, QDir::Name | QDir::Reversed);
            QVERIFY(!mails.isEmpty());
            const auto othersMay = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                   QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
            QCOMPARE(QFileInfo(folder.path()).permissions() & othersMay, QFile::Permissions());
            QCOMPARE(mails.first().permissions() & othersMay, QFile::Permissions());
            QFile mail(mails.first().filePath());
            QVERIFY(mail.open(QIODevice::ReadOnly));
            m_code =
                QString::fromUtf8(mail.readAll()).section(QStringLiteral("验证码是："), 1).left(6);
        };
        auto reset = [&](const QString& code, const QString& peer) {
            return f.text(f.post("/setpassword.php",
                                 QStringLiteral("username=alice&checkcode=%1&newpswd=new-pw"
                                                "&newsuperpswd=")
                                     .arg(code),
                                 peer));
        };
        requestCode();
        const QString code = m_code;
        QSqlQuery stored(f.database->connection());
        QVERIFY(stored.exec(QStringLiteral("SELECT code FROM check_codes")) && stored.next());
        QVERIFY(stored.value(0).toString().startsWith(QStringLiteral("$argon2id$")));
        QVERIFY(!stored.value(0).toString().contains(code));
        stored.finish();

        const QString wrong = code == QLatin1String("000000") ? "000001" : "000000";
        for (int i = 0; i < 5; ++i)
            QCOMPARE(reset(wrong, QStringLiteral("10.0.0.%1").arg(i)), QStringLiteral("failure"));
        QCOMPARE(reset(code, QStringLiteral("10.0.1.1")), QStringLiteral("failure"));
        requestCode();
        QCOMPARE(reset(m_code, QStringLiteral("10.0.1.1")), QStringLiteral("success"));
        QCOMPARE(f.text(f.post("/checkpassword.php", "username=alice&password=new-pw")), Success);
    }

    void changedPasswordsEndCachedCredentials() {
        AliceFixture f;
        QVERIFY(f.ready);
        QVERIFY(f.record().contains(QStringLiteral("一班"))); // mp now remembered
        QCOMPARE(f.text(f.post("/setteacher.php",
                               "username=alice&email=new@example.com&oldsuperpassword=alice-op"
                               "&newlogpassword=second-login&newsuperpassword=second-op")),
                 Success);
        QVERIFY(!f.record().contains(QStringLiteral("一班")));
        QVERIFY(f.change("/setketi.php", "&keti=") != Success);
        QCOMPARE(f.ProtocolFixture::read("/getteacher.php", "alice", "second-login"),
                 QStringLiteral("老师\r\nalice\r\nnew@example.com"));
        QCOMPARE(f.ProtocolFixture::change("/setketi.php", "alice", "second-op", "&keti=函数"),
                 Success);
    }

private:
    QString m_code; // the code of the newest mail
};

QTEST_GUILESS_MAIN(HostileRequestsTest)
#include "tst_hostile_requests.moc"
