// SPDX-License-Identifier: GPL-3.0-or-later
// The whole catalogue against the real score service: a teacher registers, logs in, builds
// classes, students, topics and standards, uploads scores and groups, edits and deletes them,
// and reads everything back through the record and the GET calls. Then every change is
// refused with a wrong operation password, and every call fails cleanly with the service gone.

#include "Outcomes.h"
#include "ServiceProcess.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "session/DataFolder.h"
#include "session/Session.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>

using namespace ordalis;
using ordalis::test::isNoAnswer;
using ordalis::test::isRefused;
using ordalis::test::ServiceProcess;

namespace {

const QString Teacher = QStringLiteral("teacher01");
const QString LoginPassword = QStringLiteral("login-pw");
const QString OperationPassword = QStringLiteral("oper-pw");
const QString Class1 = QStringLiteral("初一1班");
const QString Class2 = QStringLiteral("初一2班");
const QString TopicName = QStringLiteral("课堂提问");

QString readGbk(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? gb18030::decode(file.readAll()) : QString();
}

QStringList lines(const QString& reply) {
    return reply.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// The field `column` of the reply line whose field `keyColumn` is `key`.
QString fieldOf(const QString& reply, int keyColumn, const QString& key, int column) {
    for (const QString& line : lines(reply)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.value(keyColumn) == key)
            return fields.value(column);
    }
    return {};
}

// The reply of a request nobody waits for, waited for: `ask` sends it with a context and handler.
using Ask = std::function<void(const QObject* context, HttpClient::TextHandler done)>;
QString replyLater(const Ask& ask) {
    const QObject receiver;
    std::optional<QString> reply;
    ask(&receiver, [&reply](const QString& text) { reply = text; });
    if (!QTest::qWaitFor([&reply] { return reply.has_value(); }, 10000))
        return QStringLiteral("(no reply)");
    return *reply;
}

QString checkUserName(ServiceEndpoints& endpoints, const QString& name) {
    return replyLater([&](const QObject* context, HttpClient::TextHandler done) {
        endpoints.checkUserNameLater(name, context, std::move(done));
    });
}

QString serverTime(ServiceEndpoints& endpoints) {
    return replyLater([&](const QObject* context, HttpClient::TextHandler done) {
        endpoints.serverTimeLater(context, std::move(done));
    });
}

QString makerVersion(ServiceEndpoints& endpoints) {
    return replyLater([&](const QObject* context, HttpClient::TextHandler done) {
        endpoints.makerVersionLater(context, std::move(done));
    });
}

// One change request of the catalogue, made with the given password.
struct Change {
    const char* name;
    std::function<Expected<>(ServiceEndpoints&, const QString& password)> send;
};

QList<Change> everyChange() {
    GroupLists groups;
    groups[1] = QStringList{QStringLiteral("张三")};
    return {
        {"checkpassword",
         [](ServiceEndpoints& e, const QString& p) { return e.checkPassword(Teacher, p); }},
        {"regteacher",
         [](ServiceEndpoints& e, const QString& p) {
             return e.registerTeacher({Teacher, "T", p, p, "t@example.com", "", "", ""});
         }},
        {"setpassword",
         [](ServiceEndpoints& e, const QString& p) {
             return e.setPassword(Teacher, p, "new-login", "");
         }},
        {"index",
         [](ServiceEndpoints& e, const QString& p) {
             return e.uploadScores(p, TopicName, {Class1 + "\t张三\t3分\t2013-03-15 08:00:00\t"});
         }},
        {"group", [groups](ServiceEndpoints& e,
                           const QString& p) { return e.uploadGroups(Class1, p, groups); }},
        {"setteacher",
         [](ServiceEndpoints& e, const QString& p) {
             return e.setTeacher(Teacher, "t@example.com", p, "", "");
         }},
        {"setclass",
         [](ServiceEndpoints& e, const QString& p) { return e.setClasses(p, {Class1}); }},
        {"renameclass",
         [](ServiceEndpoints& e, const QString& p) { return e.renameClass(p, Class1, "X"); }},
        {"student",
         [](ServiceEndpoints& e, const QString& p) {
             return e.setStudents(p, Class1, {QStringLiteral("张三")});
         }},
        {"renamestudent",
         [](ServiceEndpoints& e, const QString& p) {
             return e.renameStudent(p, QStringLiteral("张三"), "X", Class1);
         }},
        {"setketi",
         [](ServiceEndpoints& e, const QString& p) { return e.setTopics(p, {TopicName}); }},
        {"renameketi",
         [](ServiceEndpoints& e, const QString& p) { return e.renameTopic(p, TopicName, "X"); }},
        {"newscale",
         [](ServiceEndpoints& e, const QString& p) {
             return e.newScales(p, TopicName, {"a", "", "", "", ""},
                                {1.0, std::nullopt, std::nullopt, std::nullopt, std::nullopt});
         }},
        {"editscale",
         [](ServiceEndpoints& e, const QString& p) { return e.editScale(p, Class1, "1", "a", 1); }},
        {"delscale",
         [](ServiceEndpoints& e, const QString& p) { return e.deleteScales(p, TopicName, "|1"); }},
        {"editscore",
         [](ServiceEndpoints& e, const QString& p) {
             return e.editScore(p, Class1, "1", 2, 1363276800, TopicName, "");
         }},
        {"delscore",
         [](ServiceEndpoints& e, const QString& p) { return e.deleteScores(p, Class1, "|1"); }},
    };
}

} // namespace

class ServiceEndpointsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void accountIsRegisteredAndChecked();
    void rosterChangesReachTheRecord();
    void standardsAreAddedEditedAndDeleted();
    void scoresAreUploadedEditedAndDeleted();
    void passwordIsResetWithMailedCode();
    void staleCredentialKeepsPreviousRecord();
    void clockAndVersionChecks();
    void wrongPasswordIsRefusedEverywhere();
    void stoppedServiceIsNetworkFailureEverywhere();

private:
    bool downloadRecord();
    QString record() const { return readGbk(m_folder->recordFile()); }

    QTemporaryDir m_dir;
    std::unique_ptr<ServiceProcess> m_service;
    std::unique_ptr<DataFolder> m_folder;
    ServiceConfig m_config;
    Session m_session;
    std::unique_ptr<ServiceEndpoints> m_endpoints;
};

void ServiceEndpointsTest::initTestCase() {
    m_folder = std::make_unique<DataFolder>(m_dir.filePath("data"));
    m_endpoints = std::make_unique<ServiceEndpoints>(m_config, m_session);
}

// Every test starts with a fresh service, a registered teacher and an online session.
void ServiceEndpointsTest::init() {
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY2(m_service->start(), "ordalis-service did not start");
    m_config.setServiceBase(m_service->baseUrl());
    m_config.setTimeout(std::chrono::seconds(20));
    QVERIFY(m_endpoints
                ->registerTeacher({Teacher, QStringLiteral("王老师"), LoginPassword,
                                   OperationPassword, "t@example.com", "", "", ""})
                .ok());
    m_session = Session{Teacher, md5Hex(LoginPassword)};
    QFile::remove(m_folder->recordFile());
}

bool ServiceEndpointsTest::downloadRecord() {
    const HttpClient::Download download = m_endpoints->downloadRecord(*m_folder);
    return download && download->ok();
}

void ServiceEndpointsTest::accountIsRegisteredAndChecked() {
    QCOMPARE(checkUserName(*m_endpoints, "teacher02"), QStringLiteral("√"));
    const QString taken = checkUserName(*m_endpoints, Teacher);
    QVERIFY(!taken.isEmpty() && taken != QStringLiteral("√"));

    const Expected<> again =
        m_endpoints->registerTeacher({Teacher, "T", "a", "b", "other@example.com", "", "", ""});
    QVERIFY(isRefused(again));
    QVERIFY(!again.why().isEmpty());

    QVERIFY(m_endpoints->checkPassword(Teacher, LoginPassword).ok());
    QVERIFY(isRefused(m_endpoints->checkPassword(Teacher, "wrong")));

    QCOMPARE(m_endpoints->getTeacher(), QStringLiteral("王老师\r\nteacher01\r\nt@example.com"));
    QVERIFY(m_endpoints->setTeacher(Teacher, "new@example.com", OperationPassword, "", "").ok());
    QCOMPARE(lines(m_endpoints->getTeacher()).value(2), "new@example.com");

    // The operation password changes; the old one no longer makes changes.
    QVERIFY(m_endpoints->setTeacher(Teacher, "new@example.com", OperationPassword, "", "op2").ok());
    QVERIFY(isRefused(m_endpoints->setClasses(OperationPassword, {Class1})));
    QVERIFY(m_endpoints->setClasses("op2", {Class1}).ok());
}

void ServiceEndpointsTest::rosterChangesReachTheRecord() {
    QVERIFY(downloadRecord());
    QVERIFY(record().startsWith("Class_Is_Ready\t"));
    QVERIFY(!record().contains(Class1));

    QVERIFY(m_endpoints->setClasses(OperationPassword, {Class1, Class2}).ok());
    QVERIFY(
        m_endpoints
            ->setStudents(OperationPassword, Class1,
                          {QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五")})
            .ok());
    QVERIFY(m_endpoints->setTopics(OperationPassword, {TopicName, QStringLiteral("作业")}).ok());
    GroupLists groups;
    groups[2] = QStringList{QStringLiteral("张三"), QStringLiteral("王五")};
    groups[15] = QStringList{QStringLiteral("李四")};
    QVERIFY(m_endpoints->uploadGroups(Class1, OperationPassword, groups).ok());

    // The second download of the same address reaches the service again.
    QVERIFY(downloadRecord());
    QString text = record();
    QVERIFY2(text.contains("Class_Is_Ready\t" + Class1 + "\t" + Class2 + "\t\r\n"),
             qPrintable(text));
    QVERIFY(text.contains("[keti]\t" + TopicName));
    QVERIFY(text.contains("[keti]\t作业"));
    QCOMPARE(fieldOf(text, 1, QStringLiteral("张三"), 2), "2");
    QCOMPARE(fieldOf(text, 1, QStringLiteral("王五"), 2), "2");
    QCOMPARE(fieldOf(text, 1, QStringLiteral("李四"), 2), "15");

    QVERIFY(m_endpoints->renameClass(OperationPassword, Class2, QStringLiteral("初二1班")).ok());
    QVERIFY(m_endpoints
                ->renameStudent(OperationPassword, QStringLiteral("王五"), QStringLiteral("王小五"),
                                Class1)
                .ok());
    QVERIFY(m_endpoints
                ->renameTopic(OperationPassword, QStringLiteral("作业"), QStringLiteral("课后作业"))
                .ok());
    QVERIFY(downloadRecord());
    text = record();
    QVERIFY(text.contains("Class_Is_Ready\t" + Class1 + "\t初二1班\t\r\n"));
    QCOMPARE(fieldOf(text, 1, QStringLiteral("王小五"), 0), Class1);
    QVERIFY(!text.contains(QStringLiteral("王五")));
    QVERIFY(text.contains("[keti]\t课后作业"));

    // Groups naming a student the class does not have are refused.
    groups[3] = QStringList{QStringLiteral("不存在")};
    QVERIFY(isRefused(m_endpoints->uploadGroups(Class1, OperationPassword, groups)));
}

void ServiceEndpointsTest::standardsAreAddedEditedAndDeleted() {
    QVERIFY(m_endpoints->setTopics(OperationPassword, {TopicName}).ok());
    QVERIFY(m_endpoints
                ->newScales(OperationPassword, TopicName,
                            {QStringLiteral("回答正确"), QStringLiteral("部分正确"), "", "", ""},
                            {5.0, 2.5, std::nullopt, std::nullopt, std::nullopt})
                .ok());

    QString scales = m_endpoints->getScales(TopicName);
    QCOMPARE(lines(scales).size(), 2);
    const QString id = fieldOf(scales, 1, QStringLiteral("回答正确"), 0);
    QVERIFY(!id.isEmpty());
    QCOMPARE(fieldOf(scales, 1, QStringLiteral("部分正确"), 2), "2.5");

    QVERIFY(
        m_endpoints->editScale(OperationPassword, Class1, id, QStringLiteral("完全正确"), 4).ok());
    scales = m_endpoints->getScales(TopicName);
    QCOMPARE(fieldOf(scales, 0, id, 1), QStringLiteral("完全正确"));
    QCOMPARE(fieldOf(scales, 0, id, 2), "4");
    QVERIFY(downloadRecord());
    QVERIFY(record().contains(QStringLiteral("完全正确\t4")));

    QVERIFY(m_endpoints->deleteScales(OperationPassword, TopicName, "|" + id).ok());
    scales = m_endpoints->getScales(TopicName);
    QCOMPARE(lines(scales).size(), 1);
    QVERIFY(fieldOf(scales, 0, id, 1).isEmpty());
}

void ServiceEndpointsTest::scoresAreUploadedEditedAndDeleted() {
    QVERIFY(m_endpoints->setClasses(OperationPassword, {Class1}).ok());
    QVERIFY(m_endpoints
                ->setStudents(OperationPassword, Class1,
                              {QStringLiteral("张三"), QStringLiteral("李四")})
                .ok());
    QVERIFY(m_endpoints->setTopics(OperationPassword, {TopicName}).ok());

    const QStringList upload{Class1 + "\t张三\t3分\t2013-03-15 08:00:00\t",
                             Class1 + "\t李四\t5分\t2013-03-15 08:01:30\t回答正确",
                             Class1 + "\t张三\t4分\t2013-03-15 08:02:00\t"};
    QVERIFY(m_endpoints->uploadScores(OperationPassword, TopicName, upload).ok());

    QString scores = m_endpoints->getScores(Class1);
    QCOMPARE(lines(scores).size(), 3);
    const QString liSi = fieldOf(scores, 1, QStringLiteral("李四"), 0);
    QCOMPARE(fieldOf(scores, 0, liSi, 3), "2013-03-15 08:01:30");
    QCOMPARE(fieldOf(scores, 0, liSi, 4), TopicName);
    QVERIFY(downloadRecord());
    QCOMPARE(fieldOf(record(), 1, QStringLiteral("张三"), 5), "2");
    QCOMPARE(fieldOf(record(), 1, QStringLiteral("张三"), 4), "3.5");

    // An edit that keeps the time keeps it to the second.
    const qint32 time = dateToSeconds(fieldOf(scores, 0, liSi, 3));
    QVERIFY(
        m_endpoints
            ->editScore(OperationPassword, Class1, liSi, 2, time, TopicName, QStringLiteral("补充"))
            .ok());
    scores = m_endpoints->getScores(Class1);
    QCOMPARE(fieldOf(scores, 0, liSi, 2).toDouble(), 2.0);
    QCOMPARE(fieldOf(scores, 0, liSi, 3), "2013-03-15 08:01:30");
    QCOMPARE(fieldOf(scores, 0, liSi, 5), QStringLiteral("补充"));

    QVERIFY(m_endpoints->deleteScores(OperationPassword, Class1, "|" + liSi).ok());
    QCOMPARE(lines(m_endpoints->getScores(Class1)).size(), 2);

    // A batch with an unknown student stores nothing and names the line.
    const Expected<> refused =
        m_endpoints->uploadScores(OperationPassword, TopicName,
                                  {Class1 + "\t张三\t1分\t2013-03-16 08:00:00\t",
                                   Class1 + "\t赵六\t1分\t2013-03-16 08:00:00\t"});
    QVERIFY(isRefused(refused));
    QVERIFY2(refused.why().contains(QStringLiteral("赵六")), qPrintable(refused.why()));
    QCOMPARE(lines(m_endpoints->getScores(Class1)).size(), 2);
}

void ServiceEndpointsTest::passwordIsResetWithMailedCode() {
    QCOMPARE(m_endpoints->requestPasswordCode(Teacher, "someone@example.com"), "failure");
    QCOMPARE(m_endpoints->requestPasswordCode(Teacher, "t@example.com"), "success");

    const QDir spool(m_service->mailSpoolPath());
    const QStringList mails = spool.entryList({"*.eml"}, QDir::Files, QDir::Time);
    QCOMPARE(mails.size(), 1);
    QFile mail(spool.filePath(mails.first()));
    QVERIFY(mail.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch code =
        QRegularExpression("\\b(\\d{6})\\b").match(QString::fromUtf8(mail.readAll()));
    QVERIFY(code.hasMatch());

    const Expected<> wrong = m_endpoints->setPassword(Teacher, "000000x", "new-login", "");
    QVERIFY(isRefused(wrong));
    QVERIFY(m_endpoints->setPassword(Teacher, code.captured(1), "new-login", "").ok());
    // The code is single-use.
    QVERIFY(isRefused(m_endpoints->setPassword(Teacher, code.captured(1), "other", "")));
    QVERIFY(m_endpoints->checkPassword(Teacher, "new-login").ok());
    QVERIFY(isRefused(m_endpoints->checkPassword(Teacher, LoginPassword)));
}

void ServiceEndpointsTest::staleCredentialKeepsPreviousRecord() {
    QVERIFY(m_endpoints->setClasses(OperationPassword, {Class1}).ok());
    QVERIFY(downloadRecord());
    const QString before = record();
    QVERIFY(before.contains(Class1));

    // After the login password changes, the session's mp no longer opens the record: the
    // refusal must not be written over the teacher's file.
    QVERIFY(
        m_endpoints->setTeacher(Teacher, "t@example.com", OperationPassword, "changed", "").ok());
    QVERIFY(!downloadRecord());
    QCOMPARE(record(), before);
    QVERIFY(lines(m_endpoints->getTeacher()).size() != 3);

    m_session.mp = md5Hex("changed");
    QVERIFY(downloadRecord());
    QCOMPARE(record(), before);
}

void ServiceEndpointsTest::clockAndVersionChecks() {
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    // The service answers Unix seconds, whatever the zone of its clock.
    const double serviceTime = leadingNumber(serverTime(*m_endpoints));
    QVERIFY(qAbs(serviceTime - now) <= 2);
    QCOMPARE(makerVersion(*m_endpoints), "Tumbrel:" ORDALIS_VERSION);
}

void ServiceEndpointsTest::wrongPasswordIsRefusedEverywhere() {
    // Things for the changes to work on, so that only the password can be what is wrong.
    QVERIFY(m_endpoints->setClasses(OperationPassword, {Class1}).ok());
    QVERIFY(m_endpoints->setStudents(OperationPassword, Class1, {QStringLiteral("张三")}).ok());
    QVERIFY(m_endpoints->setTopics(OperationPassword, {TopicName}).ok());
    QVERIFY(downloadRecord());
    const QString before = record();

    for (const Change& change : everyChange()) {
        const Expected<> outcome = change.send(*m_endpoints, QStringLiteral("wrong-pw"));
        QVERIFY2(isRefused(outcome), change.name);
        QVERIFY2(!outcome.why().isEmpty(), change.name);
    }
    // So many wrong passwords have throttled this address for the account: its right mp is
    // refused too, though the service remembers it.
    QVERIFY(m_endpoints->getTeacher().contains(QStringLiteral("失败次数过多")));
    // Forgotten, so that the record can be read again and shown unchanged.
    m_service->stop();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "throttle");
        db.setDatabaseName(m_service->databasePath());
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("DELETE FROM failed_attempts")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("throttle"));
    QVERIFY(m_service->start());
    m_config.setServiceBase(m_service->baseUrl());
    QVERIFY(downloadRecord());
    QCOMPARE(record(), before);

    // Reads with a wrong mp give nothing away.
    m_session.mp = md5Hex("wrong");
    QVERIFY(!m_endpoints->getTeacher().contains("t@example.com"));
    QVERIFY(!m_endpoints->getScores(Class1).contains(QStringLiteral("张三")));
    QVERIFY(!downloadRecord());
    QCOMPARE(record(), before);
}

void ServiceEndpointsTest::stoppedServiceIsNetworkFailureEverywhere() {
    QVERIFY(m_endpoints->setClasses(OperationPassword, {Class1}).ok());
    QVERIFY(downloadRecord());
    const QString before = record();
    m_service->stop();

    for (const Change& change : everyChange()) {
        const Expected<> outcome = change.send(*m_endpoints, OperationPassword);
        QVERIFY2(isNoAnswer(outcome), change.name);
        QCOMPARE(outcome.refusal().httpStatus, 0);
    }
    QVERIFY(!downloadRecord());
    QCOMPARE(record(), before);
    QCOMPARE(m_endpoints->getTeacher(), QString());
    QCOMPARE(m_endpoints->getScores(Class1), QString());
    QCOMPARE(m_endpoints->getScales(TopicName), QString());
    QCOMPARE(checkUserName(*m_endpoints, "teacher02"), QString());
    QCOMPARE(m_endpoints->requestPasswordCode(Teacher, "t@example.com"), QString());
    QCOMPARE(serverTime(*m_endpoints), QString());
    QCOMPARE(makerVersion(*m_endpoints), QString());
}

QTEST_GUILESS_MAIN(ServiceEndpointsTest)
#include "tst_service_endpoints.moc"
