// SPDX-License-Identifier: GPL-3.0-or-later
// The wire form of every request: the body keys in the order the service reads them, the
// exact bytes that leave the program for Chinese names, and the addresses of the GETs and
// browser pages. Bytes are captured by a loopback server, so what is checked is what is sent.

#include "LoopbackHttpServer.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "session/DataFolder.h"
#include "session/Session.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ordalis;
using ordalis::testing::LoopbackHttpServer;

namespace {

GroupLists someGroups() {
    GroupLists groups;
    groups[0] = QStringList{"a", "b"};
    groups[3] = QStringList{"c"};
    groups[15] = QStringList{"d", "e", "f"};
    return groups;
}

} // namespace

class ServiceRequestsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bodiesKeepKeyOrder_data();
    void bodiesKeepKeyOrder();
    void chineseBodyGoesOutAsGbkEscapes();
    void groupUploadSendsAllSixteenGroups();
    void queryValuesGoOutAsGbkEscapes();
    void browserAndMakerAddresses();
};

void ServiceRequestsTest::bodiesKeepKeyOrder_data() {
    QTest::addColumn<FormRequest>("request");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("word");

    const QString ok = QStringLiteral("Success!");
    QTest::newRow("checkpassword") << requests::checkPassword(" u ", "p") << "/checkpassword.php"
                                   << "username= u &password=p" << ok;
    QTest::newRow("regteacher")
        << requests::registerTeacher({"u", "T", "lp", "op", "e@x", "", "", "12345"})
        << "/regteacher.php"
        << "username=u&teachername=T&password=lp&superpassword=op&email=e@x&mb=&tel=&qq=12345"
        << ok;
    QTest::newRow("setpassword") << requests::setPassword("u", "123456", "", "np")
                                 << "/setpassword.php"
                                 << "username=u&checkcode=123456&newpswd=&newsuperpswd=np"
                                 << "success";
    QTest::newRow("index") << requests::uploadScores("u", "op", "k", {"l1", "l2", "l3"})
                           << "/index.php"
                           << "username=u&password=op&keti=k&score=l1|l2|l3" << ok;
    QTest::newRow("index without lines")
        << requests::uploadScores("u", "op", "k", {}) << "/index.php"
        << "username=u&password=op&keti=k&score=" << ok;
    QTest::newRow("setteacher")
        << requests::setTeacher("u", "e@x", "op", "", "nop") << "/setteacher.php"
        << "username=u&email=e@x&oldsuperpassword=op&newlogpassword=&newsuperpassword=nop" << ok;
    QTest::newRow("setclass") << requests::setClasses("u", "op", {"c1", "c2"}) << "/setclass.php"
                              << "username=u&password=op&class=c1|c2" << ok;
    QTest::newRow("setclass emptied") << requests::setClasses("u", "op", {}) << "/setclass.php"
                                      << "username=u&password=op&class=" << ok;
    QTest::newRow("renameclass") << requests::renameClass("u", "op", "c1", "c9")
                                 << "/renameclass.php"
                                 << "username=u&password=op&oldclassname=c1&newclassname=c9" << ok;
    QTest::newRow("student") << requests::setStudents("u", "op", "c1", {"s1", "s2"})
                             << "/student.php"
                             << "username=u&password=op&class=c1&student=s1|s2" << ok;
    QTest::newRow("renamestudent")
        << requests::renameStudent("u", "op", "s1", "s9", "c1") << "/renamestudent.php"
        << "username=u&password=op&oldstuname=s1&newstuname=s9&class=c1" << ok;
    QTest::newRow("setketi") << requests::setTopics("u", "op", {"k1", "k2"}) << "/setketi.php"
                             << "username=u&password=op&keti=k1|k2" << ok;
    QTest::newRow("renameketi") << requests::renameTopic("u", "op", "k1", "k9") << "/renameketi.php"
                                << "username=u&password=op&oldketi=k1&newketi=k9" << ok;
    QTest::newRow("newscale")
        << requests::newScales("u", "op", "k", {"t1", "t2", "", "", ""},
                               {5.0, 2.5, std::nullopt, std::nullopt, -1.0})
        << "/newscale.php"
        << "username=u&password=op&keti=k&newscale=t1\tt2\t\t\t&newscore=5\t2.5\t\t\t-1" << ok;
    QTest::newRow("editscale") << requests::editScale("u", "op", "c1", "17", "t", 3.0)
                               << "/editscale.php"
                               << "username=u&password=op&class=c1&scaleid=17&scale=t&score=3"
                               << ok;
    QTest::newRow("delscale") << requests::deleteScales("u", "op", "k", "|17|4") << "/delscale.php"
                              << "username=u&password=op&keti=k&delid=|17|4" << ok;
    QTest::newRow("editscore")
        << requests::editScore("u", "op", "c1", "88", 4.5, 1363276800, "k", "r") << "/editscore.php"
        << "username=u&password=op&class=c1&scoreid=88&score=4.5&time=1363276800&keti=k&addtion=r"
        << ok;
    QTest::newRow("delscore") << requests::deleteScores("u", "op", "c1", "|88|90")
                              << "/delscore.php"
                              << "username=u&password=op&class=c1&delid=|88|90" << ok;
}

void ServiceRequestsTest::bodiesKeepKeyOrder() {
    QFETCH(FormRequest, request);
    QFETCH(QString, path);
    QFETCH(QString, body);
    QFETCH(QString, word);

    QCOMPARE(request.path, path);
    QCOMPARE(request.body, body);
    QCOMPARE(request.successWord, word);
    // ASCII bodies leave exactly as assembled.
    QCOMPARE(request.wireBody(), body.toLatin1());
}

void ServiceRequestsTest::chineseBodyGoesOutAsGbkEscapes() {
    LoopbackHttpServer server;
    ServiceConfig config;
    config.setServiceBase(server.baseUrl());
    const Session session{QStringLiteral("张三"),
                          QStringLiteral("0123456789abcdef0123456789abcdef")};
    ServiceEndpoints endpoints(config, session);

    const QStringList lines{QStringLiteral("初一\t李四\t3分\t2013-03-15 08:00:00\t优秀"),
                            QStringLiteral("初一\t王五\t5分\t2013-03-15 08:01:00\t")};
    QVERIFY(endpoints.uploadScores("a&b=c%d+e", QStringLiteral("课题"), lines).ok());

    QCOMPARE(server.requests().size(), 1);
    const LoopbackHttpServer::Request& request = server.requests().first();
    QCOMPARE(request.target, "/index.php");
    const QByteArray expected =
        "username=%D5%C5%C8%FD&password=a%26b%3Dc%25d%2Be&keti=%BF%CE%CC%E2&score="
        "%B3%F5%D2%BB\t%C0%EE%CB%C4\t3%B7%D6\t2013-03-15 08:00:00\t%D3%C5%D0%E3|"
        "%B3%F5%D2%BB\t%CD%F5%CE%E5\t5%B7%D6\t2013-03-15 08:01:00\t";
    QCOMPARE(request.body, expected);
    QCOMPARE(request.header("Content-Length"), QByteArray::number(expected.size()));
}

void ServiceRequestsTest::groupUploadSendsAllSixteenGroups() {
    LoopbackHttpServer server;
    ServiceConfig config;
    config.setServiceBase(server.baseUrl());
    const Session session{"u", "m"};
    ServiceEndpoints endpoints(config, session);

    GroupLists groups = someGroups();
    groups[0] = QStringList{QStringLiteral("李四"), QStringLiteral("王五")};
    QVERIFY(endpoints.uploadGroups(QStringLiteral("初一"), "op", groups).ok());

    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().target, "/group.php");
    QCOMPARE(server.requests().first().body,
             "class=%B3%F5%D2%BB&username=u&password=op&group[0]=%C0%EE%CB%C4|%CD%F5%CE%E5"
             "&group[1]=&group[2]=&group[3]=c&group[4]=&group[5]=&group[6]=&group[7]=&group[8]="
             "&group[9]=&group[10]=&group[11]=&group[12]=&group[13]=&group[14]=&group[15]=d|e|f");

    // Empty groups are sent too.
    QCOMPARE(requests::uploadGroups("c", "u", "op", GroupLists()).body.count("&group["), 16);
}

void ServiceRequestsTest::queryValuesGoOutAsGbkEscapes() {
    LoopbackHttpServer server;
    ServiceConfig config;
    config.setServiceBase(server.baseUrl() + "/");
    const Session session{QStringLiteral("张三"),
                          QStringLiteral("0123456789abcdef0123456789abcdef")};
    ServiceEndpoints endpoints(config, session);

    endpoints.getTeacher();
    endpoints.getScores(QStringLiteral("初一#1班"));
    endpoints.getScales(QStringLiteral("课题 50%&=A"));
    endpoints.requestPasswordCode(QStringLiteral("张三"), "t+1@example.com");
    QTemporaryDir dir;
    static_cast<void>(endpoints.downloadRecord(DataFolder(dir.path())));
    QString nameReply;
    const QObject receiver;
    endpoints.checkUserNameLater(QStringLiteral("张三"), &receiver,
                                 [&nameReply](const QString& reply) { nameReply = reply; });
    QTRY_COMPARE(nameReply, QStringLiteral("Success!"));

    const QByteArray mp = "mp=0123456789abcdef0123456789abcdef";
    const QList<QByteArray> expected{
        "/getteacher.php?t=%D5%C5%C8%FD&" + mp,
        "/getscore.php?class=%B3%F5%D2%BB%231%B0%E0&t=%D5%C5%C8%FD&" + mp,
        "/getscale.php?keti=%BF%CE%CC%E2%2050%25%26%3DA&t=%D5%C5%C8%FD&" + mp,
        "/getpswdcode.php?username=%D5%C5%C8%FD&email=t%2B1@example.com",
        "/record.php?t=%D5%C5%C8%FD&" + mp,
        "/checkusername.php?u=%D5%C5%C8%FD",
    };
    QCOMPARE(server.requests().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(server.requests()[i].target, expected[i]);
}

void ServiceRequestsTest::browserAndMakerAddresses() {
    ServiceConfig config;
    config.setServiceBase("http://127.0.0.1:8080");
    const Session session{QStringLiteral("张三"), "abc"};
    const ServiceEndpoints endpoints(config, session);

    QCOMPARE(endpoints.uploadResultPage(12).toEncoded(),
             "http://127.0.0.1:8080/?t=%D5%C5%C8%FD&n=12&mp=abc");
    // The maker's pages are served by the service unless configured elsewhere.
    QCOMPARE(endpoints.updatePage().toEncoded(), "http://127.0.0.1:8080/update.php?sort=Tumbrel");
    QCOMPARE(endpoints.makerHome().toString(), "http://127.0.0.1:8080");
    config.setMakerSite("http://127.0.0.1:9090/");
    QCOMPARE(endpoints.makerHome().toString(), "http://127.0.0.1:9090");

    // The clock and version checks ask with a fresh number so that no cache answers.
    const QString first = requests::serverTimeUrl("http://h", 0.25).toString();
    QCOMPARE(first.left(QStringLiteral("http://h/servertime.php?t=0.25").size()),
             "http://h/servertime.php?t=0.25");
    QVERIFY(requests::makerVersionUrl("http://m", 0.000001)
                .toString()
                .startsWith("http://m/version.php?s=Tumbrel&t=0.0000010"));
}

QTEST_GUILESS_MAIN(ServiceRequestsTest)
#include "tst_service_requests.moc"
