// SPDX-License-Identifier: GPL-3.0-or-later
// The same protocol on PostgreSQL, on a throwaway cluster in a temporary folder, and several
// instances sharing one database (PostgreSQL or SQLite). The PostgreSQL cases are skipped where
// its server programs are not installed or cannot be started.

#include "CannotRun.h"
#include "FailingCommits.h"
#include "PostgresCluster.h"
#include "ProtocolFixture.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <thread>

using namespace ordalis::service::test;
using ordalis::service::Database;
using ordalis::service::Reply;
using ordalis::service::Throttle;

namespace {

// The changes of an upload and others, each sent by a teacher of its own ("teacher0", ...).
struct SentChange {
    const char* name;
    const char* path;
    const char* rest;
};
const SentChange Changes[] = {
    {"scores and calls", "/index.php",
     "&keti=函数&score=一班\t张三\t5\t2024-03-15 08:01:02\t&calls=一班\t张三\t2024-03-15 "
     "08:01:02\t所有"},
    {"calls", "/setcalls.php", "&calls=一班\t李四\t2024-03-16 09:00:00\t拼音"},
    {"topics", "/setketi.php", "&keti=函数|数列|几何"},
};
// Each teacher's class, students and topic before the changes.
const std::pair<const char*, QString> SetUp[] = {
    {"/setclass.php", QStringLiteral("&class=一班")},
    {"/student.php", QStringLiteral("&class=一班&student=张三|李四")},
    {"/setketi.php", QStringLiteral("&keti=函数")},
};

} // namespace

class PostgresStorageTest : public QObject {
    Q_OBJECT

private:
    QString createDatabase(const QStringList& administration = {}) {
        return m_cluster->createDatabase(administration);
    }

    // The rows of a case run on SQLite and on PostgreSQL.
    static void bothDatabases() {
        QTest::addColumn<bool>("postgres");
        QTest::newRow("sqlite") << false;
        QTest::newRow("postgresql") << true;
    }

    std::unique_ptr<ordalis::test::PostgresCluster> m_cluster;
    quint16 m_port = 0;
    bool m_running = false;

private Q_SLOTS:
    void init() {
        const bool sqliteOnly = QByteArray(QTest::currentDataTag()) == "sqlite" ||
                                QByteArray(QTest::currentTestFunction()).startsWith("older");
        if (!sqliteOnly && !m_running)
            ORDALIS_SKIP_CANNOT_RUN("no PostgreSQL server");
        // A result still open when the next statement runs may have been read only in part.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Query results lost")));
    }

    void initTestCase() {
        m_cluster = std::make_unique<ordalis::test::PostgresCluster>();
        m_running = m_cluster->isRunning();
        m_port = m_cluster->port();
    }

    void cleanupTestCase() { m_cluster.reset(); }

    void recordAndChangesMatchSqlite() {
        AliceFixture f({}, createDatabase());
        QVERIFY2(f.ready, qPrintable(f.error));
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {QStringLiteral("一班\t张三\t5分\t2024-03-15 08:01:02\t正确"),
                           QStringLiteral("一班\t张三\t2\t2024-03-15 08:02:02\t"),
                           QStringLiteral("二班\t赵六\t1\t2024-03-15 08:03:02\t"
                                          "引\"号\\斜,逗{括} NULL")}),
                 QStringLiteral("Success!"));
        QCOMPARE(f.record(), QStringLiteral("Class_Is_Ready\t一班\t二班\t\r\n"
                                            "[keti]\t函数\t正确\t5\t部分正确\t2.5\r\n"
                                            "[keti]\t数列\r\n"
                                            "一班\t张三\t0\t7\t3.5\t2\r\n"
                                            "一班\t李四\t0\t0\t0\t0\r\n"
                                            "一班\t王五\t0\t0\t0\t0\r\n"
                                            "二班\t赵六\t0\t1\t1\t1\r\n"));
        QVERIFY2(f.scores("二班").endsWith(QStringLiteral("\t引\"号\\斜,逗{括} NULL")),
                 qPrintable(f.scores("二班")));
        // A deleted score, a removed student's and a removed class's scores are gone.
        const QString id = f.scores("一班").section(u'\t', 0, 0);
        QCOMPARE(f.change("/delscore.php", QStringLiteral("&class=一班&delid=|") + id),
                 QStringLiteral("Success!"));
        QCOMPARE(f.scores("一班").count(QStringLiteral("\t张三\t")), 1);
        QCOMPARE(f.change("/student.php", QStringLiteral("&class=一班&student=李四|王五")),
                 QStringLiteral("Success!"));
        QCOMPARE(f.scores("一班"), QString());
        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=一班")),
                 QStringLiteral("Success!"));
        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=一班|二班")),
                 QStringLiteral("Success!"));
        QCOMPARE(f.scores("二班"), QString());
        QVERIFY(f.record().startsWith(QStringLiteral("Class_Is_Ready\t一班\t二班\t\r\n")));
    }

    void refusedUploadWritesNothing() {
        AliceFixture f({}, createDatabase());
        QVERIFY(f.ready);
        QVERIFY(f.upload(QStringLiteral("函数"),
                         {QStringLiteral("一班\t张三\t5\t2024-03-15 08:01:02\t"),
                          QStringLiteral("一班\t张三\t优\t2024-03-15 08:01:02\t")})
                    .contains(QStringLiteral("第2行")));
        QCOMPARE(f.scores("一班"), QString());
        QVERIFY(
            f.registerTeacher(QStringLiteral("bob1"), QStringLiteral("pw"), QStringLiteral("op")));
        QVERIFY(
            !f.registerTeacher(QStringLiteral("bob1"), QStringLiteral("pw"), QStringLiteral("op")));
    }

    void longUploadKeepsItsLinesInOrder_data() { bothDatabases(); }
    // An upload of more lines than one statement takes keeps every line, in its order, with
    // the rare characters of its texts.
    void longUploadKeepsItsLinesInOrder() {
        QFETCH(bool, postgres);
        AliceFixture f({}, postgres ? createDatabase() : QString());
        QVERIFY2(f.ready, qPrintable(f.error));
        QStringList lines, expected;
        for (int i = 0; i < 1234; ++i) {
            const QString student = i % 3 ? QStringLiteral("张三") : QStringLiteral("李四");
            const QString remark = i % 5 ? QString() : QStringLiteral("𠀀䶮\\\"");
            lines.append(QStringLiteral("一班\t%1\t%2\t2024-03-15 08:00:00\t%3")
                             .arg(student)
                             .arg(i % 97)
                             .arg(remark));
            expected.append(QStringLiteral("%1\t%2 %3").arg(student).arg(i % 97).arg(remark));
        }
        QCOMPARE(f.upload(QStringLiteral("函数"), lines), QStringLiteral("Success!"));
        QStringList stored;
        for (const QString& line :
             f.scores("一班").split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            stored.append(line.section(u'\t', 1, 2) + u' ' + line.section(u'\t', 5));
        QCOMPARE(stored, expected);
    }

    void instancesShareOneDatabase_data() { bothDatabases(); }
    // Instances started together on a fresh database all come up; what one changes, the others
    // read at once, old passwords stop working everywhere, and failures count together.
    void instancesShareOneDatabase() {
        QFETCH(bool, postgres);
        QTemporaryDir dir;
        const QString location =
            postgres ? createDatabase() : dir.filePath(QStringLiteral("shared.sqlite"));
        {
            std::vector<std::unique_ptr<Database>> instances;
            QList<QThread*> starters;
            std::atomic<int> opened = 0;
            for (int i = 0; i < 4; ++i) {
                instances.push_back(std::make_unique<Database>(location));
                starters.append(QThread::create([&opened, db = instances.back().get()] {
                    if (const ordalis::Expected<> open = db->open())
                        ++opened;
                    else
                        qWarning("%s", qPrintable(open.why()));
                    db->closeAll();
                }));
            }
            for (QThread* starter : starters)
                starter->start();
            for (QThread* starter : starters) {
                starter->wait();
                delete starter;
            }
            QCOMPARE(opened.load(), 4);
        }

        Throttle::Limits limits;
        limits.perAccountAndPeer = 4;
        AliceFixture a(limits, location);
        QVERIFY2(a.ready, qPrintable(a.error));
        ProtocolFixture b(limits, location);
        auto readB = [&](const char* path, const QString& rest = {}) {
            return b.read(path, AliceFixture::Account, AliceFixture::Login, rest);
        };
        // B holds the record, scores, standards and both credentials before A changes them.
        QVERIFY(readB("/record.php").contains(QStringLiteral("一班")));
        QCOMPARE(readB("/getscore.php", QStringLiteral("class=一班&")), QString());
        QVERIFY(
            readB("/getscale.php", QStringLiteral("keti=函数&")).contains(QStringLiteral("正确")));
        QCOMPARE(b.change("/setketi.php", AliceFixture::Account, AliceFixture::Operation,
                          QStringLiteral("&keti=函数|数列")),
                 QStringLiteral("Success!"));

        QCOMPARE(a.change("/setclass.php", QStringLiteral("&class=二班")),
                 QStringLiteral("Success!"));
        QCOMPARE(a.upload(QStringLiteral("函数"),
                          {QStringLiteral("二班\t赵六\t4\t2024-03-15 08:01:02\t")}),
                 QStringLiteral("Success!"));
        const QString scaleId =
            a.read("/getscale.php", QStringLiteral("keti=函数&")).section(u'\t', 0, 0);
        QCOMPARE(a.change("/editscale.php",
                          QStringLiteral("&scaleid=%1&scale=全对&score=6").arg(scaleId)),
                 QStringLiteral("Success!"));
        QCOMPARE(readB("/record.php"), a.record());
        QVERIFY(readB("/record.php").startsWith(QStringLiteral("Class_Is_Ready\t二班\t\r\n")));
        QVERIFY(
            readB("/getscore.php", QStringLiteral("class=二班&")).contains(QStringLiteral("赵六")));
        QVERIFY(readB("/export.php", QStringLiteral("class=二班&from=2024-03-15&format=csv&"))
                    .contains(QStringLiteral("2024-03-15,08:01:02,")));
        QVERIFY(readB("/getscale.php", QStringLiteral("keti=函数&"))
                    .contains(QStringLiteral("全对\t6")));
        // A's next upload does not take the roster its last one read once B changed it.
        QCOMPARE(b.change("/student.php", AliceFixture::Account, AliceFixture::Operation,
                          QStringLiteral("&class=二班&student=孙七")),
                 QStringLiteral("Success!"));
        QCOMPARE(a.upload(QStringLiteral("函数"),
                          {QStringLiteral("二班\t赵六\t4\t2024-03-15 08:02:02\t")}),
                 QStringLiteral("第1行无法上传：班级“二班”中找不到学生“赵六”"));
        QCOMPARE(a.upload(QStringLiteral("函数"),
                          {QStringLiteral("二班\t孙七\t4\t2024-03-15 08:02:02\t")}),
                 QStringLiteral("Success!"));

        QCOMPARE(a.text(a.post("/setteacher.php",
                               "username=alice&email=n@example.com&oldsuperpassword=alice-op"
                               "&newlogpassword=second-login&newsuperpassword=second-op")),
                 QStringLiteral("Success!"));
        QVERIFY(!readB("/record.php").contains(QStringLiteral("二班")));
        QVERIFY(b.change("/setketi.php", AliceFixture::Account, AliceFixture::Operation,
                         QStringLiteral("&keti=")) != QStringLiteral("Success!"));
        QVERIFY(b.text(b.post("/checkpassword.php", "username=alice&password=alice-login")) !=
                QStringLiteral("Success!"));
        QVERIFY(b.read("/record.php", AliceFixture::Account, QStringLiteral("second-login"))
                    .contains(QStringLiteral("二班")));

        // Three failures through B (the old mp, operation password and login above) and one
        // through A spend the limit of the account from this address on both instances.
        QVERIFY(a.text(a.post("/checkpassword.php", "username=alice&password=guess")) !=
                QStringLiteral("Success!"));
        QVERIFY(b.text(b.post("/checkpassword.php", "username=alice&password=second-login"))
                    .contains(QStringLiteral("失败次数过多")));
    }

    void failedCommitIsNeverSuccess_data() {
        QTest::addColumn<bool>("postgres");
        QTest::addColumn<int>("failing");
        for (const bool postgres : {false, true})
            for (int change = 0; change < int(std::size(Changes)); ++change)
                QTest::addRow("%s, %s", postgres ? "postgresql" : "sqlite", Changes[change].name)
                    << postgres << change;
    }
    // A change whose COMMIT fails is answered with the failure and leaves nothing stored;
    // on SQLite, so is every change that shared its commit, whosever it was. The same change
    // is stored once the commit goes through.
    void failedCommitIsNeverSuccess() {
        QFETCH(bool, postgres);
        QFETCH(int, failing);
        ProtocolFixture f({}, postgres ? createDatabase() : QString());
        QVERIFY2(f.opened, qPrintable(f.error));
        const auto account = [](int teacher) { return QStringLiteral("teacher%1").arg(teacher); };
        const auto send = [&](int change) {
            return f.post(Changes[change].path,
                          QStringLiteral("username=%1&password=op").arg(account(change)) +
                              QString::fromUtf8(Changes[change].rest));
        };
        const auto stored = [&](int teacher) {
            const QString login = QStringLiteral("login");
            return f.read("/record.php", account(teacher), login) +
                   f.read("/getscore.php", account(teacher), login, QStringLiteral("class=一班&")) +
                   f.read("/getcalls.php", account(teacher), login, QStringLiteral("class=一班&"));
        };
        const int opener = int(std::size(Changes));
        QStringList before;
        for (int teacher = 0; teacher <= opener; ++teacher) {
            QVERIFY(
                f.registerTeacher(account(teacher), QStringLiteral("login"), QStringLiteral("op")));
            for (const auto& [path, rest] : SetUp)
                QCOMPARE(f.change(path, account(teacher), QStringLiteral("op"), rest),
                         QStringLiteral("Success!"));
            before.append(stored(teacher));
        }
        QString error;
        QVERIFY2(ordalis::test::failCommitsOf(f.database->connection(), account(failing), &error),
                 qPrintable(error));
        const Reply alone = send(failing);
        QCOMPARE(alone.status, 500);
        QCOMPARE(stored(failing), before[failing]);

        if (!postgres) {
            // Another writer holds the file: the opener's change waits for it to begin, and
            // the changes that arrive meanwhile are written together after it.
            const QString lockName = QStringLiteral("outside-writer");
            {
                QSqlDatabase outside =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), lockName);
                outside.setDatabaseName(f.dir.filePath(QStringLiteral("service.sqlite")));
                QVERIFY(outside.open());
                QVERIFY(QSqlQuery(outside).exec(QStringLiteral("BEGIN IMMEDIATE")));
                std::vector<Reply> replies(opener + 1);
                std::vector<std::thread> senders;
                senders.emplace_back([&] {
                    replies[opener] = f.post(
                        "/setketi.php",
                        QStringLiteral("username=%1&password=op&keti=甲").arg(account(opener)));
                });
                QThread::msleep(500);
                for (int change = 0; change < opener; ++change)
                    senders.emplace_back([&, change] { replies[change] = send(change); });
                QThread::msleep(1000);
                QVERIFY(QSqlQuery(outside).exec(QStringLiteral("ROLLBACK")));
                for (std::thread& sender : senders)
                    sender.join();
                QCOMPARE(f.text(replies[opener]), QStringLiteral("Success!"));
                for (int change = 0; change < opener; ++change) {
                    QCOMPARE(replies[change].status, 500);
                    QCOMPARE(stored(change), before[change]);
                }
            }
            QSqlDatabase::removeDatabase(lockName);
        }

        QVERIFY2(ordalis::test::mendCommits(f.database->connection(), &error), qPrintable(error));
        QCOMPARE(f.text(send(failing)), QStringLiteral("Success!"));
        QVERIFY(stored(failing) != before[failing]);
    }

    // A change whose COMMIT lost its answer with its connection may have been stored: it is
    // answered as failed and not run again, and a read after it runs on a new connection.
    void commitWithoutAnswerIsNotRunAgain() {
        AliceFixture f({}, createDatabase());
        QVERIFY2(f.ready, qPrintable(f.error));
        QString error;
        QVERIFY2(ordalis::test::loseFirstCommitAnswerOf(f.database->connection(),
                                                        AliceFixture::Account, &error),
                 qPrintable(error));
        QCOMPARE(f.post("/index.php", QStringLiteral("username=alice&password=alice-op&keti=函数"
                                                     "&score=一班\t张三\t5\t2024-03-15 08:01:02\t"))
                     .status,
                 500);
        QVERIFY(f.scores("一班").count(u'\n') <= 1);
    }

    void controlCharactersAreRefused_data() { bothDatabases(); }
    // A NUL or another control character in any text is refused with the reason before any
    // statement runs, on either database.
    void controlCharactersAreRefused() {
        QFETCH(bool, postgres);
        AliceFixture f({}, postgres ? createDatabase() : QString());
        QVERIFY2(f.ready, qPrintable(f.error));
        const QString mp = ordalis::md5Hex(AliceFixture::Login);
        for (const ordalis::service::Reply& reply :
             {f.postRaw("/checkpassword.php", "username=ali%00ce&password=x"),
              f.protocol->handle({"GET",
                                  "/getscore.php",
                                  ("class=%D2%BB%00&t=alice&mp=" + mp).toLatin1(),
                                  {},
                                  QStringLiteral("192.0.2.1")}),
              f.postRaw("/setketi.php", "username=alice&password=alice-op&keti=a%1Bb")}) {
            QCOMPARE(reply.status, 400);
            QVERIFY2(f.text(reply).contains(QStringLiteral("控制字符")), reply.body.constData());
        }
        QVERIFY(f.record().contains(QStringLiteral("[keti]\t数列")));
    }

    // A database of a release before schema versions is brought up to date in place; one of a
    // later release is refused.
    void olderDatabasesAreUpgradedNewerRefused() {
        QTemporaryDir dir;
        const QString location = dir.filePath(QStringLiteral("old.sqlite"));
        {
            AliceFixture old({}, location);
            QVERIFY(old.ready);
            QSqlQuery query(old.database->connection());
            // The first release kept scores by student; the highest id given was 41, whose
            // score is gone.
            for (const char* statement :
                 {"DROP TABLE schema_version", "DROP TABLE deleted_items",
                  "DROP INDEX teachers_account_nocase", "ALTER TABLE teachers DROP COLUMN revision",
                  "ALTER TABLE check_codes DROP COLUMN tries", "DROP TABLE upload_batches",
                  "DROP TABLE calls", "DROP TABLE throttle_state",
                  "DROP TRIGGER scores_leave_with_student", "DROP TABLE scores",
                  "CREATE TABLE scores (id INTEGER PRIMARY KEY AUTOINCREMENT, student_id BIGINT "
                  "NOT NULL REFERENCES students(id) ON DELETE CASCADE, value DOUBLE PRECISION "
                  "NOT NULL, score_text TEXT NOT NULL, time_text TEXT NOT NULL, topic TEXT NOT "
                  "NULL, remark TEXT NOT NULL, uploaded_at BIGINT NOT NULL)",
                  "CREATE INDEX scores_student ON scores (student_id)",
                  "INSERT INTO scores SELECT 40, id, 3, '3分', '2024-03-15 08:00:00', '函数', '', "
                  "0 FROM students WHERE name = '李四'",
                  "INSERT INTO scores SELECT 41, id, 1, '1分', '2024-03-15 08:00:01', '函数', '', "
                  "0 FROM students WHERE name = '张三'",
                  "DELETE FROM scores WHERE id = 41"})
                QVERIFY2(query.exec(QString::fromUtf8(statement)), statement);
        }
        {
            ProtocolFixture upgraded({}, location);
            QVERIFY2(upgraded.opened, qPrintable(upgraded.error));
            const QString record =
                upgraded.read("/record.php", AliceFixture::Account, AliceFixture::Login);
            QVERIFY2(record.contains(QStringLiteral("一班\t李四\t0\t3\t")), qPrintable(record));
            // The score kept its id, a new one takes none given before, and a student's scores
            // still go with the student.
            QCOMPARE(upgraded.change("/index.php", AliceFixture::Account, AliceFixture::Operation,
                                     QStringLiteral("&keti=函数&score=一班\t张三\t2分\t"
                                                    "2024-03-16 08:00:00\t")),
                     QStringLiteral("Success!"));
            const QString scores =
                upgraded.read("/getscore.php", AliceFixture::Account, AliceFixture::Login,
                              QStringLiteral("class=一班&"));
            QVERIFY2(scores.startsWith(QStringLiteral("40\t李四\t")) &&
                         scores.contains(QStringLiteral("\n42\t张三\t")),
                     qPrintable(scores));
            QCOMPARE(upgraded.change("/student.php", AliceFixture::Account, AliceFixture::Operation,
                                     QStringLiteral("&class=一班&student=张三|王五")),
                     QStringLiteral("Success!"));
            QVERIFY(!upgraded
                         .read("/getscore.php", AliceFixture::Account, AliceFixture::Login,
                               QStringLiteral("class=一班&"))
                         .contains(QStringLiteral("李四")));
            QVERIFY(!upgraded.registerTeacher(QStringLiteral("ALICE"), QStringLiteral("pw"),
                                              QStringLiteral("op")));
            QSqlQuery(upgraded.database->connection())
                .exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (9999)"));
        }
        ProtocolFixture newer({}, location);
        QVERIFY(!newer.opened);
        QVERIFY2(newer.error.contains(QStringLiteral("9999")), qPrintable(newer.error));
    }

    // The password comes from PostgreSQL's password file or environment, as for its own tools,
    // and a database that cannot be opened says why.
    void passwordFromThePasswordFile() {
        const QString location =
            QUrl(createDatabase({QStringLiteral("CREATE ROLE ordalis_app LOGIN "
                                                "PASSWORD 'app-secret'"),
                                 QStringLiteral("ALTER DATABASE %1 OWNER TO ordalis_app")}))
                .adjusted(QUrl::RemoveUserInfo)
                .toString()
                .replace(QStringLiteral("//"), QStringLiteral("//ordalis_app@"));
        const QString name = QUrl(location).path().mid(1);
        QTemporaryDir dir;
        const QString passfile = dir.filePath(QStringLiteral("pgpass"));
        qunsetenv("PGPASSWORD");
        qputenv("PGPASSFILE", QFile::encodeName(passfile));
        {
            Database database(location);
            const ordalis::Expected<> opened = database.open();
            QVERIFY(!opened);
            QVERIFY2(opened.why().contains(QStringLiteral("password")), qPrintable(opened.why()));
        }
        QFile file(passfile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("127.0.0.1:%1:%2:ordalis_app:app-secret\n")
                       .arg(m_port)
                       .arg(name)
                       .toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        {
            ProtocolFixture f({}, location);
            QVERIFY2(f.opened, qPrintable(f.error));
            QVERIFY(f.registerTeacher(QStringLiteral("alice"), QStringLiteral("pw"),
                                      QStringLiteral("op")));
        }
        qunsetenv("PGPASSFILE");
        qputenv("PGPASSWORD", "app-secret");
        Database database(location);
        const ordalis::Expected<> opened = database.open();
        QVERIFY2(opened, qPrintable(opened.why()));
        qunsetenv("PGPASSWORD");
    }
};

ORDALIS_GUILESS_TEST_MAIN(PostgresStorageTest)
#include "tst_postgres_storage.moc"
