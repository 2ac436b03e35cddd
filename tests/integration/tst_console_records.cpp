// SPDX-License-Identifier: GPL-3.0-or-later
// The console's pages that read the service: a topic's scoring standards created, edited and
// deleted; a class's recorded scores corrected and deleted; the teacher's e-mail and passwords
// changed with the session going on under the new ones. The service's lists are checked after
// each step. With the service inside the program, a deleted class is brought back from 已删除.

#include "ConsoleRoom.h"
#include "DrivenProgram.h"
#include "OnlineFixture.h"
#include "text/WireText.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>

using namespace ordalis;
using namespace ordalis::test;

namespace {

const QString Teacher = QStringLiteral("recorder");
const QString LoginPassword = QStringLiteral("login-pass");
const QString OperationPassword = QStringLiteral("op-pass");
const QString ClassName = QStringLiteral("初二(3)班");
const QString TopicName = QStringLiteral("函数");

QStringList replyLines(const QString& reply) {
    return reply.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// The fields after the identifier of each line.
QStringList withoutIds(const QStringList& lines) {
    QStringList rest;
    for (const QString& line : lines)
        rest << line.section(u'\t', 1);
    return rest;
}

QString lineWith(const QStringList& lines, const QString& text) {
    for (const QString& line : lines)
        if (line.contains(text))
            return line;
    return {};
}

} // namespace

class ConsoleRecordsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        test::scriptTheProgram();
        QVERIFY2(m_online.startAs(Teacher, LoginPassword, OperationPassword),
                 qPrintable(m_online.error()));
        ServiceEndpoints& e = m_online.endpoints();
        QVERIFY(e.setClasses(OperationPassword, {ClassName}).ok());
        QVERIFY(e.setStudents(OperationPassword, ClassName, {"张三", "李四", "王五"}).ok());
        QVERIFY(e.setTopics(OperationPassword, {TopicName, "数列"}).ok());
        requests::StandardTexts texts{QStringLiteral("定义正确")};
        QVERIFY(e.newScales(OperationPassword, TopicName, texts, {4.0}).ok());
        QVERIFY(e.uploadScores(OperationPassword, TopicName,
                               {ClassName + "\t张三\t5分\t2024-03-01 08:00:00\t",
                                ClassName + "\t李四\t3分\t2024-03-01 08:01:00\t定义正确",
                                ClassName + "\t王五\t4分\t2024-03-01 08:02:00\t"})
                    .ok());
    }

    void init() { test::forgetWhatWasShown(); }

    // Load, create five at once with one row empty, edit one, delete two.
    void standardsOfATopic() {
        ConsoleRoom room(m_online.config());
        openLoggedIn(room);
        room.showPage(6);
        QVERIFY(!room.in(QStringLiteral("Command37"))->isEnabled());
        QVERIFY(room.choose(QStringLiteral("Combo3"), TopicName));
        QCOMPARE(withoutIds(room.lines(QStringLiteral("List5"))), QStringList{"定义正确\t4"});

        room.clickIn(QStringLiteral("Command37"));
        QVERIFY(room.in(QStringLiteral("Frame7"))->isVisible());
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text28"))->text(), TopicName);
        QCOMPARE(room.lines(QStringLiteral("List6")), room.lines(QStringLiteral("List5")));
        const QStringList texts{"回答完整", "表述清楚", "", "有创意", "书写工整"};
        const QStringList scores{"5", "4.50", "", "3分", " 2 "};
        for (int i = 0; i < 5; ++i) {
            room.in<QLineEdit>(QStringLiteral("txtNewScale_%1").arg(i))->setText(texts[i]);
            room.in<QLineEdit>(QStringLiteral("txtNewScore_%1").arg(i))->setText(scores[i]);
        }
        room.saveScreenshot(QStringLiteral("console_standards_new"));
        room.clickIn(QStringLiteral("Command35"));
        auto messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("操作成功！"));
        QVERIFY(!room.in(QStringLiteral("Frame7"))->isVisible());
        QVERIFY(room.in<QLineEdit>(QStringLiteral("txtNewScale_0"))->text().isEmpty());
        const QStringList created{"定义正确\t4", "回答完整\t5", "表述清楚\t4.5", "有创意\t3",
                                  "书写工整\t2"};
        QCOMPARE(withoutIds(replyLines(m_online.endpoints().getScales(TopicName))), created);
        QCOMPARE(room.lines(QStringLiteral("List5")),
                 replyLines(m_online.endpoints().getScales(TopicName)));

        // Edit one: its line fills the edit box.
        const QString clear =
            lineWith(room.lines(QStringLiteral("List5")), QStringLiteral("表述清楚"));
        room.doubleClick(QStringLiteral("List5"), clear);
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text21"))->text(), TopicName);
        QVERIFY(room.in<QLineEdit>(QStringLiteral("Text21"))->isReadOnly()); // shown, not sent
        QVERIFY(!room.in<QLineEdit>(QStringLiteral("Text26"))->isReadOnly());
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text25"))->text(), clear.section(u'\t', 0, 0));
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text27"))->text(), QStringLiteral("4.5"));
        room.in<QLineEdit>(QStringLiteral("Text26"))->setText(QStringLiteral("表述清楚完整"));
        room.in<QLineEdit>(QStringLiteral("Text27"))->setText(QStringLiteral("4.0"));
        room.clickIn(QStringLiteral("Command29"));
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.value(0).text, QStringLiteral("修改成功！"));
        QVERIFY(!room.in(QStringLiteral("Frame6"))->isVisible());
        QVERIFY(withoutIds(replyLines(m_online.endpoints().getScales(TopicName)))
                    .contains(QStringLiteral("表述清楚完整\t4")));
        room.saveScreenshot(QStringLiteral("console_standards"));

        // Delete two; the topic's standards in the main window follow.
        room.select(QStringLiteral("List5"),
                    {lineWith(room.lines(QStringLiteral("List5")), QStringLiteral("有创意")),
                     lineWith(room.lines(QStringLiteral("List5")), QStringLiteral("书写工整"))});
        room.clickIn(QStringLiteral("Command32"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label38"))->text(),
                 QStringLiteral("已删除2条标准！"));
        QCOMPARE(dialogs::takeShownMessages().value(0).text, QStringLiteral("操作成功！"));
        const QStringList left{"定义正确\t4", "回答完整\t5", "表述清楚完整\t4"};
        QCOMPARE(withoutIds(replyLines(m_online.endpoints().getScales(TopicName))), left);
        QCOMPARE(withoutIds(room.lines(QStringLiteral("List5"))), left);

        // A short line opens with empty boxes for the missing fields; an empty batch is refused.
        ConsoleRoom::addLines(room.in<QTableView>(QStringLiteral("List5")),
                              {QStringLiteral("77\t短")});
        room.doubleClick(QStringLiteral("List5"), QStringLiteral("77\t短\t"));
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text27"))->text(), QString());
        room.clickIn(QStringLiteral("Command30"));
        room.clickIn(QStringLiteral("Command37"));
        room.in<QLineEdit>(QStringLiteral("txtNewScore_2"))->setText(QStringLiteral("  "));
        room.clickIn(QStringLiteral("Command35"));
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("提示"));
        QCOMPARE(messages[0].text, QStringLiteral("至少填写一个标准或评分！"));
    }

    // Load a class's scores, correct one (score, time, topic, note), refuse an unreadable
    // time, delete two.
    void scoresOfAClass() {
        ConsoleRoom room(m_online.config());
        openLoggedIn(room);
        room.showPage(3);
        QCOMPARE(room.in<QComboBox>(QStringLiteral("Combo1"))->currentText(),
                 QStringLiteral("班级"));
        QVERIFY(room.choose(QStringLiteral("Combo1"), ClassName));
        const QStringList loaded = room.lines(QStringLiteral("List3"));
        QCOMPARE(loaded, replyLines(m_online.endpoints().getScores(ClassName)));
        QCOMPARE(loaded.size(), 3);

        const QString lisi = lineWith(loaded, QStringLiteral("李四"));
        room.doubleClick(QStringLiteral("List3"), lisi);
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text17"))->text(), QStringLiteral("李四"));
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text19"))->text(),
                 QStringLiteral("2024-03-01 08:01:00"));
        room.in<QLineEdit>(QStringLiteral("Text19"))->setText(QStringLiteral("昨天"));
        room.clickIn(QStringLiteral("Command23"));
        auto messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("提示"));
        QVERIFY(messages[0].text.contains(QStringLiteral("昨天")));
        QCOMPARE(replyLines(m_online.endpoints().getScores(ClassName)), loaded);

        room.in<QLineEdit>(QStringLiteral("Text18"))->setText(QStringLiteral("3.5分"));
        room.in<QLineEdit>(QStringLiteral("Text19"))
            ->setText(QStringLiteral("2024-03-02 09:30:00"));
        room.in<QLineEdit>(QStringLiteral("Text20"))->setText(QStringLiteral("数列"));
        room.in<QLineEdit>(QStringLiteral("Text24"))->setText(QStringLiteral("补记"));
        room.saveScreenshot(QStringLiteral("console_scores_edit"));
        room.clickIn(QStringLiteral("Command23"));
        QCOMPARE(dialogs::takeShownMessages().value(0).text, QStringLiteral("修改成功！"));
        QVERIFY(!room.in(QStringLiteral("Frame4"))->isVisible());
        const QString edited =
            lisi.section(u'\t', 0, 1) + QStringLiteral("\t3.5\t2024-03-02 09:30:00\t数列\t补记");
        QVERIFY(replyLines(m_online.endpoints().getScores(ClassName)).contains(edited));
        QVERIFY(room.lines(QStringLiteral("List3")).contains(edited));
        room.saveScreenshot(QStringLiteral("console_scores"));

        room.select(QStringLiteral("List3"), {lineWith(loaded, QStringLiteral("张三")), edited});
        room.clickIn(QStringLiteral("Command15"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label16"))->text(),
                 QStringLiteral("已删除2条计分！"));
        QCOMPARE(dialogs::takeShownMessages().value(0).text, QStringLiteral("操作成功！"));
        const QStringList left{lineWith(loaded, QStringLiteral("王五"))};
        QCOMPARE(replyLines(m_online.endpoints().getScores(ClassName)), left);
        QCOMPARE(room.lines(QStringLiteral("List3")), left);
    }

    // Deleting scores or standards needs a login and an operation password.
    void deletingIsGuarded() {
        ConsoleRoom room(m_online.config());
        room.login(Teacher, LoginPassword);
        room.openConsole();
        const QString noPassword = QStringLiteral("请在右侧输入操作密码！");
        const QString noLogin = QStringLiteral("登录后才能进行此操作！");
        room.showPage(3);
        room.clickIn(QStringLiteral("Command15"));
        room.showPage(6);
        room.clickIn(QStringLiteral("Command32"));
        room.clickIn(QStringLiteral("OKButton"));
        room.loginOffline();
        room.openConsole();
        room.in<QLineEdit>(QStringLiteral("txtSuperPassword"))->setText(OperationPassword);
        room.showPage(3);
        room.clickIn(QStringLiteral("Command15"));
        room.showPage(6);
        room.clickIn(QStringLiteral("Command32"));
        QStringList texts;
        for (const auto& message : dialogs::takeShownMessages()) {
            QCOMPARE(message.title, QStringLiteral("提示"));
            QCOMPARE(message.icon, dialogs::Icon::Warning);
            texts << message.text;
        }
        QCOMPARE(texts, QStringList({noPassword, noPassword, noLogin, noLogin}));

        // Offline, the personal page has no account to change.
        room.showPage(0);
        room.in<QLineEdit>(QStringLiteral("Text8"))->setText(OperationPassword);
        room.clickIn(QStringLiteral("Command13"));
        const auto messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].icon, dialogs::Icon::Critical);
        QCOMPARE(messages[0].text, QStringLiteral("无法获取教师信息，暂时无法修改密码！"));
    }

    // The e-mail, then the login password, then the operation password; the session reads and
    // changes on with the new ones.
    void personalDataAndPasswords() {
        const QString user = QStringLiteral("mover");
        QVERIFY(m_online.addTeacher(user, LoginPassword, OperationPassword));
        ConsoleRoom room(m_online.config());
        room.login(user, LoginPassword);
        room.openConsole();
        room.showPage(0);
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text6"))->text(), QStringLiteral("测试老师"));
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text7"))->text(), user);
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text11"))->text(),
                 QStringLiteral("t@example.com"));
        // The name and the account are the service's to change; the address is the teacher's.
        QVERIFY(room.in<QLineEdit>(QStringLiteral("Text6"))->isReadOnly());
        QVERIFY(room.in<QLineEdit>(QStringLiteral("Text7"))->isReadOnly());
        QVERIFY(!room.in<QLineEdit>(QStringLiteral("Text11"))->isReadOnly());

        room.in<QLineEdit>(QStringLiteral("Text8"))->setText(QStringLiteral("   "));
        room.clickIn(QStringLiteral("Command13"));
        auto messages = dialogs::takeShownMessages();
        QCOMPARE(messages.value(0).title, QStringLiteral("警告"));
        QCOMPARE(messages.value(0).text, QStringLiteral("原操作密码必须填写！"));

        room.in<QLineEdit>(QStringLiteral("Text8"))->setText(OperationPassword);
        room.in<QLineEdit>(QStringLiteral("Text11"))->setText(QStringLiteral(" new@example.com "));
        room.clickIn(QStringLiteral("Command13"));
        QCOMPARE(dialogs::takeShownMessages().value(0).text, QStringLiteral("操作成功！"));
        room.showPage(0);
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text11"))->text(),
                 QStringLiteral("new@example.com"));

        room.in<QLineEdit>(QStringLiteral("Text9"))->setText(QStringLiteral("login-2"));
        room.clickIn(QStringLiteral("Command13"));
        QCOMPARE(dialogs::takeShownMessages().value(0).text, QStringLiteral("操作成功！"));
        QCOMPARE(room.session.mp, md5Hex(QStringLiteral("login-2")));
        // Reads of the same session go on: the record and the console's own pages.
        room.clickIn(QStringLiteral("Command14"));
        QVERIFY(room.in<QLineEdit>(QStringLiteral("Text9"))->text().isEmpty());
        room.showPage(0);
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text7"))->text(), user);
        const QString recordFile = room.data.recordFile();
        QVERIFY(QFile::remove(recordFile));
        room.clickIn(QStringLiteral("OKButton"));
        room.form()->applyTeacherRecord(SessionMode::Online);
        QVERIFY(QFile::exists(recordFile));

        room.openConsole();
        room.showPage(0);
        room.in<QLineEdit>(QStringLiteral("Text8"))->setText(OperationPassword);
        room.in<QLineEdit>(QStringLiteral("Text10"))->setText(QStringLiteral("op-2"));
        room.clickIn(QStringLiteral("Command13"));
        QCOMPARE(dialogs::takeShownMessages().value(0).text, QStringLiteral("操作成功！"));
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("txtSuperPassword"))->text(),
                 QStringLiteral("op-2"));
        QCOMPARE(room.inForm<QLineEdit>(QStringLiteral("Text4"))->text(), QStringLiteral("op-2"));
        room.saveScreenshot(QStringLiteral("console_personal"));

        // The next change goes out with the new operation password.
        room.showPage(5);
        room.in<QPlainTextEdit>(QStringLiteral("Text4"))->setPlainText(QStringLiteral("几何"));
        room.clickIn(QStringLiteral("Command26"));
        QCOMPARE(dialogs::takeShownMessages().value(0).text, QStringLiteral("操作成功！"));
    }

    // The real program with its own service on the data folder's database: the demo teacher
    // deletes a class in the console, finds it under 已删除 with its scores counted, and
    // restores it, scores and all. Another teacher's deletion in the same database is never
    // listed.
    void deletedClassComesBackInOneMachineMode() {
        TempDataFolder data;
        OnlineFixture shared({QStringLiteral("--database"),
                              data.filePath(QStringLiteral("ordalis-service.sqlite")),
                              QStringLiteral("--demo")});
        QVERIFY2(shared.startAs(QStringLiteral("other"), LoginPassword, OperationPassword),
                 qPrintable(shared.error()));
        ServiceEndpoints& e = shared.endpoints();
        QVERIFY(e.setClasses(OperationPassword, {QStringLiteral("别人的班")}).ok());
        QVERIFY(e.setClasses(OperationPassword, {}).ok());
        const QString demoClass = QStringLiteral("初一(1)班");
        shared.session().userName = QStringLiteral("demo");
        shared.session().mp = md5Hex(QStringLiteral("demo1234"));
        const QStringList scores = replyLines(e.getScores(demoClass));
        QVERIFY(!scores.isEmpty());
        shared.stopService();

        const test::DrivenRun run =
            test::runDriven(data.path(), {QStringLiteral("click Form1/Command1"),
                                          QStringLiteral("type frmLogin/ComboUser demo"),
                                          QStringLiteral("type frmLogin/txtPassword demo1234"),
                                          QStringLiteral("click frmLogin/cmdOK"),
                                          QStringLiteral("click Form1/btnManage"),
                                          QStringLiteral("type Dialog/txtSuperPassword op1234"),
                                          QStringLiteral("click Dialog/Cmd_manage_1"),
                                          QStringLiteral("select Dialog/List2 0"),
                                          QStringLiteral("click Dialog/Command9"),
                                          QStringLiteral("answer"),
                                          QStringLiteral("pause 200"),
                                          QStringLiteral("print Dialog/Label6"),
                                          QStringLiteral("click Dialog/restoreDeleted"),
                                          QStringLiteral("print deletedItems/deletedList"),
                                          QStringLiteral("shoot Dialog console_deleted_button"),
                                          QStringLiteral("shoot deletedItems deleted_items"),
                                          QStringLiteral("select deletedItems/deletedList 0"),
                                          QStringLiteral("click deletedItems/restoreChosen"),
                                          QStringLiteral("answer"),
                                          QStringLiteral("pause 200"),
                                          QStringLiteral("print deletedItems/deletedStatus"),
                                          QStringLiteral("click deletedItems/closeDeleted"),
                                          QStringLiteral("print Dialog/List2"),
                                          QStringLiteral("close Dialog"),
                                          QStringLiteral("close Form1")});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors + run.output));
        QCOMPARE(run.printed(QStringLiteral("Dialog/Label6")),
                 QStringLiteral("已成功删除1个班级！（30天内可在“已删除”中恢复）"));
        const QStringList listed =
            run.printed(QStringLiteral("deletedItems/deletedList")).split(u'\n');
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0], QStringLiteral("1"));
        const QStringList row = listed[1].split(u'\t');
        QCOMPARE(row.value(0), QStringLiteral("班级"));
        QCOMPARE(row.value(1), demoClass);
        QCOMPARE(row.value(4), QString::number(scores.size()));
        QCOMPARE(run.printed(QStringLiteral("deletedItems/deletedStatus")),
                 QStringLiteral("已恢复1项！"));
        QVERIFY(run.printed(QStringLiteral("Dialog/List2")).split(u'\n').contains(demoClass));

        QVERIFY(shared.start());
        QStringList restored = withoutIds(replyLines(e.getScores(demoClass)));
        QStringList before = withoutIds(scores);
        restored.sort();
        before.sort();
        QCOMPARE(restored, before);
    }

private:
    // The console of a teacher who typed the operation password in the main window.
    static void openLoggedIn(ConsoleRoom& room) {
        room.login(Teacher, LoginPassword);
        room.inForm<QLineEdit>(QStringLiteral("Text4"))->setText(OperationPassword);
        room.openConsole();
    }

    OnlineFixture m_online;
};

QTEST_MAIN(ConsoleRecordsTest)
#include "tst_console_records.moc"
