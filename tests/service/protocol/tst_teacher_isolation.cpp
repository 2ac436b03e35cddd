// SPDX-License-Identifier: GPL-3.0-or-later
// No teacher reaches another's data: every endpoint that reads, changes, exports or restores,
// asked by a second teacher with her own valid credentials for the first teacher's names and
// ids, leaves the first teacher's data as it was and answers nothing of it. The table must name
// every route of the protocol, so that a new one cannot be added without its probes.

#include "PostgresCluster.h"
#include "ProtocolFixture.h"
#include "ScoreService.h"
#include "wire/Endpoints.h"

#include <QSet>
#include <functional>

using namespace ordalis::service::test;
using ordalis::ScoreService;

namespace {

const QString Success = QStringLiteral("Success!");
const QString Mallory = QStringLiteral("mallory");
const QString MalloryLogin = QStringLiteral("m-login");
const QString MalloryOperation = QStringLiteral("m-op");

// Kept deletions as one text, to compare and to search.
QString deletedText(const ordalis::Expected<QList<ordalis::service::DeletedItem>>& items) {
    QStringList lines;
    for (const auto& item : items.valueOr({}))
        lines << QString::number(item.id) + item.name + item.belongsTo;
    return lines.join(u'\n');
}

// Alice (the fixture's teacher, who alone has 二班 and 赵六) and Mallory, who has a class, a
// student, a topic and a standard of the same names; each with scores, calls and a deletion.
// What only Alice's data holds is in `AliceOnly`.
struct Isolation : AliceFixture {
    static inline const QStringList AliceOnly = {QStringLiteral("甲注"),
                                                 QStringLiteral("甲删"),
                                                 QStringLiteral("赵六"),
                                                 QStringLiteral("部分正确"),
                                                 QStringLiteral("2024-03-15 08:01"),
                                                 QStringLiteral("t@example.com")};

    explicit Isolation(const QString& location)
        : AliceFixture(unthrottled(), location) {
        databaseName =
            location.isEmpty() ? dir.filePath(QStringLiteral("service.sqlite")) : location;
        ready =
            ready && service.start(databaseName) &&
            upload(QStringLiteral("函数"),
                   {QStringLiteral("一班\t张三\t5\t2024-03-15 08:01:02\t甲注"),
                    QStringLiteral("二班\t赵六\t2.5\t2024-03-15 08:01:03\t甲注"),
                    QStringLiteral("一班\t李四\t5\t2024-03-15 08:01:04\t甲删")}) == Success &&
            change("/setcalls.php", QStringLiteral("&calls=一班\t张三\t2024-03-15 08:01:02\t所有|"
                                                   "二班\t赵六\t2024-03-15 08:01:05\t拼音")) ==
                Success &&
            registerTeacher(Mallory, MalloryLogin, MalloryOperation,
                            QStringLiteral("m@example.com")) &&
            asMallory("/setclass.php", QStringLiteral("&class=一班")) == Success &&
            asMallory("/student.php", QStringLiteral("&class=一班&student=张三|李四")) == Success &&
            asMallory("/setketi.php", QStringLiteral("&keti=函数|数列")) == Success &&
            asMallory("/newscale.php",
                      QStringLiteral("&keti=函数&newscale=正确\t\t&newscore=3\t\t")) == Success &&
            asMallory("/index.php",
                      QStringLiteral("&keti=函数&score=一班\t张三\t3\t2024-04-20 10:00:00\t乙注|"
                                     "一班\t李四\t3\t2024-04-20 10:00:01\t乙删")) == Success &&
            asMallory("/setcalls.php",
                      QStringLiteral("&calls=一班\t张三\t2024-04-20 10:00:00\t所有")) == Success;
        scoreId = idOfScore(scores(QStringLiteral("一班")), QStringLiteral("甲注"));
        deletedScoreId = idOfScore(scores(QStringLiteral("一班")), QStringLiteral("甲删"));
        scaleId = read("/getscale.php", QStringLiteral("keti=函数&")).section(u'\t', 0, 0);
        ready = ready && !scoreId.isEmpty() && !deletedScoreId.isEmpty() &&
                change("/delscore.php", QStringLiteral("&class=一班&delid=|") + deletedScoreId) ==
                    Success &&
                asMallory("/delscore.php",
                          QStringLiteral("&class=一班&delid=|") +
                              idOfScore(malloryScores(), QStringLiteral("乙删"))) == Success;
        const auto kept = service.deletedItems(Account, ordalis::md5Hex(Login));
        ready = ready && kept && kept->size() == 1;
        if (ready)
            deletedItemId = kept->first().id;
    }

    // Mallory's refused attempts in Alice's name must not lock Alice out: that is another
    // promise, and would read here as Alice's data gone.
    static ordalis::service::Throttle::Limits unthrottled() {
        ordalis::service::Throttle::Limits limits;
        limits.perAccountAndPeer = limits.perPeer = 1 << 20;
        return limits;
    }
    // The id of the score of getscore.php's `lines` with that remark.
    static QString idOfScore(const QString& lines, const QString& remark) {
        for (const QString& line : lines.split(QStringLiteral("\r\n")))
            if (line.endsWith(u'\t' + remark))
                return line.section(u'\t', 0, 0);
        return {};
    }
    QString asMallory(const char* path, const QString& rest) {
        return ProtocolFixture::change(path, Mallory, MalloryOperation, rest);
    }
    QString malloryScores() {
        return ProtocolFixture::read("/getscore.php", Mallory, MalloryLogin,
                                     QStringLiteral("class=一班&"));
    }
    // Everything of Alice's that a reader can see, kept deletions included.
    QString aliceState() {
        QStringList state = {record(), read("/getteacher.php"), read("/", QStringLiteral("n=10&"))};
        for (const char* className : {"一班", "二班"}) {
            const QString cls = QStringLiteral("class=%1&").arg(QString::fromUtf8(className));
            state << scores(QString::fromUtf8(className)) << read("/getcalls.php", cls)
                  << read("/export.php", cls + QStringLiteral("format=csv&"));
        }
        for (const char* topic : {"函数", "数列"})
            state << read("/getscale.php",
                          QStringLiteral("keti=%1&").arg(QString::fromUtf8(topic)));
        state << deletedText(service.deletedItems(Account, ordalis::md5Hex(Login)));
        return state.join(QStringLiteral("\n--\n"));
    }
    // "{score}", "{deletedscore}", "{scale}" and "{deleted}" stand for Alice's ids.
    QString withIds(QString text) const {
        return text.replace(QStringLiteral("{score}"), scoreId)
            .replace(QStringLiteral("{deletedscore}"), deletedScoreId)
            .replace(QStringLiteral("{scale}"), scaleId)
            .replace(QStringLiteral("{deleted}"), QString::number(deletedItemId));
    }

    ScoreService service; // the same database, for what the program calls in its own process
    QString databaseName; // a SQLite file or a PostgreSQL address
    QString scoreId;
    QString deletedScoreId;
    QString scaleId;
    qint64 deletedItemId = 0;
};

// Called: a probe of its own, for what is not asked as a read or a change with the credentials
// of those (the account's own settings, the calls the program makes in its process).
enum class Kind { Read, Change, Called };

struct Probe {
    QString endpoint; // a route's path, or the in-process call
    Kind kind;
    // Query (Read) or body (Change) before or after the credentials; unused for Called.
    QStringList requests;
    // More of them, that Mallory must be refused: they name what only Alice has.
    QStringList refused = {};
    // More, that Mallory is answered done for, doing nothing: the answer does not tell her
    // whether Alice's id exists.
    QStringList quietlyDone = {};
    // Called: what Mallory is answered, for each of her attempts.
    std::function<QStringList(Isolation&)> call = {};
};

// Every endpoint that reads, changes, exports or restores a teacher's data, with Mallory's
// attempts at Alice's names and ids.
const QList<Probe>& probes() {
    static const QList<Probe> table = {
        {QStringLiteral("/record.php"), Kind::Read, {QString()}},
        // The upload results page: the latest scores and a download link for each class.
        {QStringLiteral("/"), Kind::Read, {QStringLiteral("n=10&"), QStringLiteral("n=1&")}},
        {QStringLiteral("/index.html"), Kind::Read, {QStringLiteral("n=10&")}},
        {QStringLiteral("/getteacher.php"), Kind::Read, {QString()}},
        {QStringLiteral("/getscore.php"),
         Kind::Read,
         {QStringLiteral("class=一班&"), QStringLiteral("class=二班&")}},
        {QStringLiteral("/getcalls.php"),
         Kind::Read,
         {QStringLiteral("class=一班&"), QStringLiteral("class=二班&"),
          QStringLiteral("class=一班&from=2024-03-15&to=2024-03-15&")}},
        {QStringLiteral("/export.php"),
         Kind::Read,
         {QStringLiteral("class=一班&"), QStringLiteral("class=二班&format=csv&"),
          QStringLiteral("class=一班&format=csv&")}},
        {QStringLiteral("/getscale.php"),
         Kind::Read,
         {QStringLiteral("keti=函数&"), QStringLiteral("keti=数列&")}},
        // The upload and its results page: lines naming Alice's class, student and topic.
        {QStringLiteral("/index.php"),
         Kind::Change,
         {QStringLiteral("&keti=函数&score=一班\t张三\t1\t2024-03-15 08:01:02\t"),
          QStringLiteral("&keti=函数&score=一班\t张三\t1\t2024-05-01 08:00:00\t"
                         "&calls=二班\t赵六\t2024-05-01 08:00:00\t所有")},
         {QStringLiteral("&keti=函数&score=二班\t赵六\t1\t2024-03-15 08:01:02\t")}},
        {QStringLiteral("/group.php"),
         Kind::Change,
         {QStringLiteral("&class=二班&group[0]=赵六") +
          [] {
              QString rest;
              for (int group = 1; group < 16; ++group)
                  rest += QStringLiteral("&group[%1]=").arg(group);
              return rest;
          }()}},
        {QStringLiteral("/setcalls.php"),
         Kind::Change,
         {QStringLiteral("&calls=二班\t赵六\t2024-05-01 08:00:00\t所有"),
          QStringLiteral("&calls=一班\t张三\t2024-05-01 08:00:01\t所有")}},
        {QStringLiteral("/setclass.php"),
         Kind::Change,
         {QStringLiteral("&class="), QStringLiteral("&class=一班|二班")}},
        {QStringLiteral("/renameclass.php"),
         Kind::Change,
         {QStringLiteral("&oldclassname=二班&newclassname=三班"),
          QStringLiteral("&oldclassname=一班&newclassname=四班"),
          QStringLiteral("&oldclassname=四班&newclassname=一班")}},
        {QStringLiteral("/student.php"),
         Kind::Change,
         {QStringLiteral("&class=一班&student=")},
         {QStringLiteral("&class=二班&student=")}},
        {QStringLiteral("/renamestudent.php"),
         Kind::Change,
         {},
         {QStringLiteral("&class=二班&oldstuname=赵六&newstuname=孙八"),
          QStringLiteral("&class=一班&oldstuname=王五&newstuname=孙八")}},
        {QStringLiteral("/setketi.php"), Kind::Change, {QStringLiteral("&keti=")}},
        {QStringLiteral("/renameketi.php"),
         Kind::Change,
         {QStringLiteral("&oldketi=函数&newketi=方程"),
          QStringLiteral("&oldketi=方程&newketi=函数")}},
        {QStringLiteral("/newscale.php"),
         Kind::Change,
         {QStringLiteral("&keti=函数&newscale=乙\t\t&newscore=1\t\t")}},
        {QStringLiteral("/editscale.php"),
         Kind::Change,
         {},
         {QStringLiteral("&keti=函数&scaleid={scale}&scale=x&score=0")}},
        {QStringLiteral("/delscale.php"),
         Kind::Change,
         {},
         {},
         {QStringLiteral("&keti=函数&delid=|{scale}")}},
        {QStringLiteral("/editscore.php"),
         Kind::Change,
         {},
         {QStringLiteral("&class=一班&scoreid={score}&score=0&time=0&keti=x&addtion=x"),
          QStringLiteral("&class=一班&scoreid={deletedscore}&score=0&time=0&keti=函数&addtion=x")}},
        {QStringLiteral("/delscore.php"),
         Kind::Change,
         {},
         {},
         {QStringLiteral("&class=一班&delid=|{score}"),
          QStringLiteral("&class=二班&delid=|{score}")}},
        // Alice's account settings with Mallory's operation password, and a check code for
        // Alice's account to Mallory's address.
        {QStringLiteral("/setteacher.php"),
         Kind::Called,
         {},
         {},
         {},
         [](Isolation& f) {
             return QStringList{f.text(f.post(
                 "/setteacher.php", QStringLiteral("username=alice&email=m@example.com"
                                                   "&oldsuperpassword=m-op&newlogpassword=x1234567"
                                                   "&newsuperpassword=y1234567")))};
         }},
        {QStringLiteral("/getpswdcode.php"),
         Kind::Called,
         {},
         {},
         {},
         [](Isolation& f) {
             return QStringList{f.text(
                 f.get("/getpswdcode.php", QStringLiteral("username=alice&email=m@example.com")))};
         }},
        {QStringLiteral("ScoreService::deletedItems"),
         Kind::Called,
         {},
         {},
         {},
         [](Isolation& f) {
             return QStringList{
                 deletedText(f.service.deletedItems(Mallory, ordalis::md5Hex(MalloryLogin))),
                 deletedText(
                     f.service.deletedItems(AliceFixture::Account, ordalis::md5Hex(MalloryLogin)))};
         }},
        {QStringLiteral("ScoreService::restoreDeletedItems"),
         Kind::Called,
         {},
         {},
         {},
         [](Isolation& f) {
             const ordalis::Expected<> own =
                 f.service.restoreDeletedItems(Mallory, MalloryOperation, {f.deletedItemId});
             const ordalis::Expected<> alices = f.service.restoreDeletedItems(
                 AliceFixture::Account, MalloryOperation, {f.deletedItemId});
             return QStringList{QString::number(own.ok()), own.why(), QString::number(alices.ok())};
         }},
        {QStringLiteral("ScoreService::restoreDeleted"),
         Kind::Called,
         {},
         {},
         {},
         [](Isolation& f) {
             const ordalis::Expected<QString> restored =
                 ScoreService::restoreDeleted(f.databaseName, Mallory, QDateTime());
             return QStringList{restored ? *restored : restored.why()};
         }},
    };
    return table;
}

// Routes that concern no teacher's stored data: logging in, registering and a password reset by
// check code (tst_account_endpoints), the clock, the version, the update page and the service's own
// health and metrics.
const QStringList NoTeacherData = {QStringLiteral("/checkpassword.php"),
                                   QStringLiteral("/regteacher.php"),
                                   QStringLiteral("/setpassword.php"),
                                   QStringLiteral("/checkusername.php"),
                                   QStringLiteral("/servertime.php"),
                                   QStringLiteral("/version.php"),
                                   QStringLiteral("/update.php"),
                                   QStringLiteral("/healthz"),
                                   QStringLiteral("/metrics")};

} // namespace

class TeacherIsolationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyRouteIsInTheTable() {
        QSet<QString> listed(NoTeacherData.cbegin(), NoTeacherData.cend());
        for (const Probe& probe : probes())
            listed.insert(probe.endpoint);
        for (const QByteArray& path : ordalis::service::Protocol::paths())
            QVERIFY2(listed.contains(QString::fromLatin1(path)),
                     qPrintable(QStringLiteral("route %1 is in no row of the isolation table")
                                    .arg(QString::fromLatin1(path))));
        // And no row probes a route that is gone, which would pass while testing nothing.
        for (const QString& endpoint : std::as_const(listed))
            QVERIFY2(endpoint.startsWith(QStringLiteral("ScoreService::")) ||
                         ordalis::service::Protocol::paths().contains(endpoint.toLatin1()),
                     qPrintable(QStringLiteral("%1 is no route").arg(endpoint)));

        // The routes are the endpoints the protocol describes, each once.
        QSet<QByteArray> described;
        for (const ordalis::wire::Endpoint* endpoint : ordalis::wire::All)
            described.insert(endpoint->path.bytes().toByteArray());
        const QList<QByteArray> routes = ordalis::service::Protocol::paths();
        QCOMPARE(QSet<QByteArray>(routes.cbegin(), routes.cend()), described);
        QCOMPARE(described.size(), qsizetype(std::size(ordalis::wire::All)));
    }

    void noTeacherReachesAnother_data() {
        QTest::addColumn<bool>("postgres");
        QTest::newRow("sqlite") << false;
        QTest::newRow("postgresql") << true;
    }
    void noTeacherReachesAnother() {
        QFETCH(bool, postgres);
        QString location;
        if (postgres) {
            if (!m_cluster)
                m_cluster = std::make_unique<ordalis::test::PostgresCluster>();
            if (!m_cluster->isRunning())
                QSKIP("PostgreSQL or Qt's QPSQL driver is not installed");
            location = m_cluster->createDatabase();
        }
        Isolation f(location);
        QVERIFY(f.ready);
        const QString before = f.aliceState();
        QVERIFY(before.contains(QStringLiteral("甲注")) &&
                before.contains(QStringLiteral("部分正确")));
        const QString malloryMp = ordalis::md5Hex(MalloryLogin);
        // What Mallory is answered holds nothing only Alice's data holds, unless she sent it.
        auto check = [&](const QString& endpoint, const QString& request, const QString& reply) {
            for (const QString& mark : Isolation::AliceOnly)
                QVERIFY2(request.contains(mark) || !reply.contains(mark),
                         qPrintable(QStringLiteral("%1 answers %2 of the other teacher: %3")
                                        .arg(endpoint, mark, reply)));
            QVERIFY2(f.aliceState() == before,
                     qPrintable(endpoint + QStringLiteral(" changed the other teacher's data: ") +
                                request));
        };
        for (const Probe& probe : probes()) {
            const QByteArray path = probe.endpoint.toLatin1();
            if (probe.kind == Kind::Called) {
                for (const QString& reply : probe.call(f))
                    check(probe.endpoint, QString(), reply);
                continue;
            }
            for (const QString& rest : probe.requests + probe.refused + probe.quietlyDone) {
                const QString request = f.withIds(rest);
                if (probe.kind == Kind::Read) {
                    check(
                        probe.endpoint, request,
                        f.ProtocolFixture::read(path.constData(), Mallory, MalloryLogin, request));
                    // Alice's name with Mallory's own proof: refused, and not as a 200 that a
                    // download would take for the teacher's record.
                    const ordalis::service::Reply refused = f.get(
                        path.constData(), request + QStringLiteral("t=alice&mp=") + malloryMp);
                    QCOMPARE(refused.status, 403);
                    check(probe.endpoint, request, f.text(refused));
                    for (const char* mark : {"alice", "张三", "正确"})
                        QVERIFY2(!f.text(refused).contains(QString::fromUtf8(mark)),
                                 path.constData());
                } else {
                    const QString reply = f.asMallory(path.constData(), request);
                    check(probe.endpoint, request, reply);
                    if (probe.refused.contains(rest))
                        QVERIFY2(reply != Success, qPrintable(probe.endpoint + u' ' + request));
                    if (probe.quietlyDone.contains(rest))
                        QCOMPARE(reply, Success);
                    const QString refused = f.ProtocolFixture::change(
                        path.constData(), AliceFixture::Account, MalloryOperation, request);
                    QVERIFY2(refused != Success, path.constData());
                    check(probe.endpoint, request, refused);
                }
            }
        }
        QVERIFY(f.scores(QStringLiteral("一班")).startsWith(f.scoreId + u'\t'));
    }

private:
    std::unique_ptr<ordalis::test::PostgresCluster> m_cluster;
};

QTEST_GUILESS_MAIN(TeacherIsolationTest)
#include "tst_teacher_isolation.moc"
