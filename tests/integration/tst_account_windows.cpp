// SPDX-License-Identifier: GPL-3.0-or-later
// The account windows against the real score service, reached from the program's login window: a
// new teacher registers and logs in, a password with "&", "=", "%" and "+" works all the way to an
// upload, a forgotten password is reset with the code the service mails through a sendmail
// command (or, on the service the program runs itself, found in the folder the program names),
// and every window reports a stopped service in its own words.

#include "BoxColour.h"
#include "DrivenProgram.h"
#include "FakeSendmail.h"
#include "OnlineFixture.h"
#include "RecordFixture.h"
#include "ScriptedProgram.h"
#include "ServiceProcess.h"
#include "common/Dialogs.h"
#include "session/LoginWindow.h"
#include "session/ProgramWindows.h"
#include "text/WireText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace ordalis;

namespace {

const QColor Green(0x00, 0xFF, 0x00);
const QColor Red(0xFF, 0x00, 0x00);
const QColor White(0xFF, 0xFF, 0xFF);

// The passwords of the new teacher: every character a form body could misread, and a blank at
// the end that is no part of them (the program trims it from the login password, the service
// from the operation password that changes send as typed).
const QString NewLogin = QStringLiteral("a&b=c%41+d ");
const QString NewOperation = QStringLiteral("op&=%+ ");

template <typename Widget = QLineEdit> Widget* child(QWidget* window, const char* name) {
    auto* widget = window->findChild<Widget*>(QLatin1String(name));
    if (widget == nullptr)
        qFatal("no widget %s in %s", name, qPrintable(window->objectName()));
    return widget;
}

void click(QWidget* window, const char* button) {
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

// Key by key where the test keyboard has the keys; Chinese text as an input method commits it.
void type(QWidget* window, const char* box, const QString& text) {
    QLineEdit* edit = child(window, box);
    edit->clear();
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

// The messages shown since the last call, as "title|text|icon" lines to compare in one go.
QString shownMessages() {
    QStringList lines;
    for (const dialogs::ShownMessage& shown : dialogs::takeShownMessages())
        lines << shown.title + u'|' + shown.text + u'|' + QString::number(int(shown.icon));
    return lines.join(u'\n');
}

QString message(const QString& title, const QString& text, dialogs::Icon icon) {
    return title + u'|' + text + u'|' + QString::number(int(icon));
}

// The account windows are made at their first opening.
QWidget* topLevel(const char* objectName) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(objectName))
            return window;
    qFatal("no window %s", objectName);
}

bool saveScreenshot(QWidget* window, const char* name) {
    const QDir dir(QStringLiteral(ORDALIS_SCREENSHOT_DIR));
    return dir.mkpath(QStringLiteral(".")) &&
           window->grab().save(dir.filePath(QLatin1String(name)));
}

} // namespace

class AccountWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        test::scriptTheProgram();
        QVERIFY2(m_online.start(), qPrintable(m_online.error()));
        QVERIFY2(m_online.addTeacher("anna", "secret", "op-a"), qPrintable(m_online.error()));
        m_windows = std::make_unique<ProgramWindows>(
            m_data.folder(), m_online.config(), m_online.session(),
            m_settingsDir.filePath(QStringLiteral("users.ini")), [] { return true; });
        m_windows->showLoginWindow();
        m_login = m_windows->loginWindow();
    }

    void init() { test::forgetWhatWasShown(); }

    void newTeacherRegistersAndLogsIn() {
        click(m_login, "Command2");
        QWidget* reg = topLevel("frmReg");
        QVERIFY(reg->isVisible());
        QVERIFY(!m_login->isVisible());
        QCOMPARE(reg->windowTitle(), QStringLiteral("用户注册"));
        QLineEdit* name = child(reg, "Text1");
        QLabel* hint = child<QLabel>(reg, "Label5");
        QPushButton* registerButton = child<QPushButton>(reg, "Command1");
        QCOMPARE(hint->text(), QStringLiteral("4位以上字母数字_"));
        QVERIFY(!registerButton->isEnabled());

        type(reg, "Text1", "li_");
        QCOMPARE(hint->text(), QStringLiteral("4位以上字母数字_"));
        QCOMPARE(test::backgroundOf(name), Red);
        type(reg, "Text1", "li-ming");
        QCOMPARE(hint->text(), QStringLiteral("非法字符"));
        type(reg, "Text1", "anna");
        QTRY_COMPARE(hint->text(), QStringLiteral("该帐号已被注册"));
        QCOMPARE(test::backgroundOf(name), Red);
        QVERIFY(!registerButton->isEnabled());
        type(reg, "Text1", "Li_Ming");
        QTRY_COMPARE(hint->text(), QStringLiteral("√"));
        QCOMPARE(test::backgroundOf(name), Green);
        QVERIFY(registerButton->isEnabled());

        // Each missing or wrong field in turn, with the focus put into it.
        const struct {
            const char* box;
            QString typed;
            QString message;
            const char* focus;
        } steps[] = {
            {"Text4", QStringLiteral("  "), QStringLiteral("请输入教师姓名！"), "Text4"},
            {"Text4", QStringLiteral("李明"), QStringLiteral("请输入Email地址！"), "Text5"},
            {"Text5", QStringLiteral("li@school"), QStringLiteral("Email地址不正确！"), "Text5"},
            {"Text5", QStringLiteral("li+m@school.cn"), QStringLiteral("请输入登录密码！"),
             "Text2"},
            {"Text2", NewLogin, QStringLiteral("请输入操作密码！"), "Text3"},
            {"Text3", NewOperation, QStringLiteral("两次输入的登录密码不一致，请重新输入！"),
             "txtLoginPasswordAgain"},
            {"txtLoginPasswordAgain", NewLogin,
             QStringLiteral("两次输入的操作密码不一致，请重新输入！"), "txtOperationPasswordAgain"},
        };
        for (const auto& step : steps) {
            type(reg, step.box, step.typed);
            click(reg, "Command1");
            QCOMPARE(shownMessages(),
                     message(QStringLiteral("提示"), step.message, dialogs::Icon::Warning));
            QCOMPARE(reg->focusWidget(), child(reg, step.focus));
        }
        type(reg, "txtOperationPasswordAgain", NewOperation);
        type(reg, "Text8", QStringLiteral("12345"));
        QVERIFY(saveScreenshot(reg, "registration_window.png"));

        click(reg, "Command1");
        QCOMPARE(shownMessages(),
                 message(QStringLiteral("成功"),
                         QStringLiteral("注册成功！\r\n请用您的帐号和登录密码登录！\r\n"
                                        "请牢记您的操作密码！"),
                         dialogs::Icon::Information));
        QVERIFY(!reg->isVisible());
        QVERIFY(m_login->isVisible());
        QCOMPARE(child<QComboBox>(m_login, "ComboUser")->currentText(), QStringLiteral("Li_Ming"));
        for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Text5",
                                "txtLoginPasswordAgain", "txtOperationPasswordAgain"})
            QVERIFY2(child(reg, box)->text().isEmpty(), box);
        QCOMPARE(child(reg, "Text8")->text(), QStringLiteral("12345"));
        QCOMPARE(test::backgroundOf(name), White);
        QVERIFY(!registerButton->isEnabled());

        // The password as typed, trailing blank included, logs in and opens the reads.
        QSignalSpy online(m_login, &LoginWindow::onlineLogin);
        type(m_login, "txtPassword", NewLogin);
        click(m_login, "cmdOK");
        QCOMPARE(online.count(), 1);
        QCOMPARE(m_online.session().userName, QStringLiteral("Li_Ming"));

        ServiceEndpoints& service = m_online.endpoints();
        const QString className = QStringLiteral("初一1班");
        QVERIFY(service.setClasses(NewOperation, {className}).ok());
        QVERIFY(service.setStudents(NewOperation, className, {QStringLiteral("张三")}).ok());
        QVERIFY(
            service
                .uploadScores(NewOperation, QStringLiteral("有理数"),
                              {className + QStringLiteral("\t张三\t3分\t2013-03-15 08:00:00\t")})
                .ok());
        QVERIFY(service.getScores(className).contains(QStringLiteral("张三")));
        QVERIFY(service.downloadRecord(m_data.folder()));
    }

    void forgottenPasswordIsReset() {
        m_login->show();
        click(m_login, "Command3");
        QWidget* reset = topLevel("frmPswd");
        QVERIFY(reset->isVisible());
        QVERIFY(!m_login->isVisible());
        QCOMPARE(reset->windowTitle(), QStringLiteral("重置密码"));
        QPushButton* sendCode = child<QPushButton>(reset, "Command3");
        QPushButton* resetButton = child<QPushButton>(reset, "Command1");
        QVERIFY(!sendCode->isEnabled());
        QVERIFY(!resetButton->isEnabled());

        type(reset, "Text1", QStringLiteral("anna"));
        type(reset, "Text2", QStringLiteral("other@example.com"));
        click(reset, "Command3");
        QCOMPARE(shownMessages(), message(QStringLiteral("请重试"),
                                          QStringLiteral("用户名或者Email有误，请查证后重试！"),
                                          dialogs::Icon::Warning));

        type(reset, "Text2", QStringLiteral("t@example.com"));
        click(reset, "Command3");
        QCOMPARE(shownMessages(), message(QStringLiteral("请查收"),
                                          QStringLiteral("验证码已经发送到您的邮箱:t@example.com"),
                                          dialogs::Icon::Information));
        // The service runs the mail command off the request, from its queue.
        QTRY_VERIFY(QString::fromUtf8(m_sendmail.messages().value(0))
                        .contains(QStringLiteral("请忽略这封邮件")));
        QCOMPARE(m_sendmail.arguments().value(0), QStringLiteral("-t"));
        const QString mail = QString::fromUtf8(m_sendmail.messages().value(0));
        QVERIFY2(mail.startsWith(QStringLiteral("To: t@example.com\n")), qPrintable(mail));
        const QString code = QRegularExpression("\\b(\\d{6})\\b").match(mail).captured(1);
        QVERIFY(!code.isEmpty());
        QVERIFY(!QDir(m_online.process().mailSpoolPath()).exists());

        type(reset, "TxtCheckCode", code == "000000" ? "000001" : "000000");
        QVERIFY(!resetButton->isEnabled());
        QLineEdit* newLogin = child(reset, "Text3");
        QVERIFY(!newLogin->isVisible());
        child<QCheckBox>(reset, "Check1")->click();
        QVERIFY(newLogin->isVisible());
        QVERIFY(!resetButton->isEnabled());
        type(reset, "Text3", QStringLiteral("fresh+pw&1"));
        QVERIFY(resetButton->isEnabled());
        type(reset, "txtLoginPasswordAgain", QStringLiteral("fresh+pw&2"));
        click(reset, "Command1");
        QCOMPARE(shownMessages(), message(QStringLiteral("提示"),
                                          QStringLiteral("两次输入的登录密码不一致，请重新输入！"),
                                          dialogs::Icon::Warning));
        type(reset, "txtLoginPasswordAgain", QStringLiteral("fresh+pw&1"));
        QVERIFY(saveScreenshot(reset, "password_reset_window.png"));
        click(reset, "Command1");
        QCOMPARE(shownMessages(),
                 message(QStringLiteral("错误"), QStringLiteral("验证码错误，请重试！"),
                         dialogs::Icon::Warning));

        type(reset, "TxtCheckCode", code);
        click(reset, "Command1");
        QCOMPARE(shownMessages(), message(QStringLiteral("成功"), QStringLiteral("密码修改成功！"),
                                          dialogs::Icon::Information));
        QVERIFY(reset->isVisible());

        click(reset, "Command2");
        QVERIFY(!reset->isVisible());
        QVERIFY(m_login->isVisible());
        QSignalSpy online(m_login, &LoginWindow::onlineLogin);
        child<QComboBox>(m_login, "ComboUser")->setEditText(QStringLiteral("anna"));
        type(m_login, "txtPassword", QStringLiteral("fresh+pw&1"));
        click(m_login, "cmdOK");
        QCOMPARE(online.count(), 1);
        QCOMPARE(m_online.session().mp, md5Hex(QStringLiteral("fresh+pw&1")));
    }

    // The program's own service mails nothing: the program says where the code is instead
    // of claiming a mail was sent, and the code is there.
    void checkCodeOfTheProgramsOwnServiceIsFoundWhereTheProgramSays() {
        test::TempDataFolder data;
        const test::DrivenRun run = test::runDriven(
            data.path(),
            {QStringLiteral("click Form1/Command1"), QStringLiteral("click frmLogin/Command3"),
             QStringLiteral("type frmPswd/Text1 demo"),
             QStringLiteral("type frmPswd/Text2 demo@example.com"),
             QStringLiteral("click frmPswd/Command3"), QStringLiteral("answer no"),
             QStringLiteral("close Form1")});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));
        const QString folder = data.filePath(QStringLiteral("ordalis-service.sqlite.mail"));
        const QString said = run.printed(QStringLiteral("answer"));
        QVERIFY2(said.contains(QDir::toNativeSeparators(folder)) &&
                     !said.contains(QStringLiteral("已经发送")),
                 qPrintable(said));
        const QStringList mails = QDir(folder).entryList({QStringLiteral("*.eml")});
        QCOMPARE(mails.size(), 1);
    }

    void stoppedServiceInEachWindowsWords() {
        m_login->show();
        click(m_login, "Command2");
        QWidget* reg = topLevel("frmReg");
        type(reg, "Text1", QStringLiteral("later01"));
        QTRY_COMPARE(child<QLabel>(reg, "Label5")->text(), QStringLiteral("√"));
        type(reg, "Text4", QStringLiteral("王老师"));
        type(reg, "Text5", QStringLiteral("w@example.com"));
        type(reg, "Text2", QStringLiteral("pw"));
        type(reg, "txtLoginPasswordAgain", QStringLiteral("pw"));
        type(reg, "Text3", QStringLiteral("op"));
        type(reg, "txtOperationPasswordAgain", QStringLiteral("op"));
        m_online.stopService();

        click(reg, "Command1");
        QCOMPARE(shownMessages(), message(QStringLiteral("错误"), QStringLiteral("\r\n网络异常！"),
                                          dialogs::Icon::None));
        QVERIFY(reg->isVisible());
        QCOMPARE(child(reg, "Text1")->text(), QStringLiteral("later01"));

        // No answer to the name check: an empty hint on red, and no registering.
        QTest::keyClicks(child(reg, "Text1"), "x");
        QTRY_COMPARE(child<QLabel>(reg, "Label5")->text(), QString());
        QCOMPARE(test::backgroundOf(child(reg, "Text1")), Red);
        QVERIFY(!child<QPushButton>(reg, "Command1")->isEnabled());

        click(reg, "Command2");
        click(m_login, "Command3");
        QWidget* reset = topLevel("frmPswd");
        click(reset, "Command3");
        QCOMPARE(shownMessages(),
                 message(QStringLiteral("错误"), QStringLiteral("无法连接到服务器"),
                         dialogs::Icon::Critical));

        click(reset, "Command1");
        QCOMPARE(shownMessages(), message(QStringLiteral("错误"), QStringLiteral("网络异常！"),
                                          dialogs::Icon::Warning));
        QCOMPARE(child<QLabel>(reset, "Label2")->text(), QStringLiteral("网络异常！"));
    }

private:
    test::FakeSendmail m_sendmail;
    test::OnlineFixture m_online{{QStringLiteral("--mail-command"), m_sendmail.command()}};
    test::TempDataFolder m_data;
    QTemporaryDir m_settingsDir;
    std::unique_ptr<ProgramWindows> m_windows; // the program's own windows and their wiring
    LoginWindow* m_login = nullptr;
};

QTEST_MAIN(AccountWindowsTest)
#include "tst_account_windows.moc"
