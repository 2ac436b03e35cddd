// SPDX-License-Identifier: GPL-3.0-or-later
// A new teacher's first visit to the management console against the real score service:
// classes, students and topics typed or imported, renamed, deleted and saved, with the main
// window and the service's record checked after each step; names with rare characters kept
// whole on their way to an upload; the guards, refusals and failures.

#include "ConsoleRoom.h"
#include "OnlineFixture.h"
#include "OpenpyxlReader.h"
#include "ServiceProcess.h"
#include "SilentServer.h"
#include "common/Browser.h"
#include "scoring/DailyLog.h"
#include "text/Gb18030.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace ordalis;
using namespace ordalis::test;

namespace {

const QString Teacher = QStringLiteral("newteacher");
const QString LoginPassword = QStringLiteral("login-pass");
const QString OperationPassword = QStringLiteral("op-pass");
const QString Class1 = QStringLiteral("初一(1)班");
const QString Class2 = QStringLiteral("初一(2)班");

bool isSuccessBox(const dialogs::ShownMessage& message, const QString& text) {
    return message.title == QStringLiteral("成功") && message.text == text &&
           message.icon == dialogs::Icon::Information;
}

bool isWarning(const dialogs::ShownMessage& message, const QString& title, const QString& text) {
    return message.title == title && message.text == text && message.icon == dialogs::Icon::Warning;
}

// Logs in, opens the console with the operation password, adds the class and chooses it on
// the students page.
bool enterClassOnStudentsPage(ConsoleRoom& room, const QString& className) {
    room.login(Teacher, LoginPassword);
    room.inForm<QLineEdit>(QStringLiteral("Text4"))->setText(OperationPassword);
    room.openConsole();
    room.showPage(1);
    room.in<QPlainTextEdit>(QStringLiteral("Text5"))->setPlainText(className);
    room.clickIn(QStringLiteral("Command10"));
    room.showPage(2);
    return room.choose(QStringLiteral("Combo2"), className);
}

} // namespace

class ConsoleRosterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        test::scriptTheProgram();
        QVERIFY2(m_online.startAs(Teacher, LoginPassword, OperationPassword),
                 qPrintable(m_online.error()));
    }

    void init() { test::forgetWhatWasShown(); }

    // Log in, open the console with the operation password typed in the main window, enter
    // classes, import two rosters, rename and delete a student, add and rename topics, return.
    void newTeacherEntersTheRoster() {
        ConsoleRoom room(m_online.config());
        room.login(Teacher, LoginPassword);
        room.inForm<QLineEdit>(QStringLiteral("Text4"))->setText(OperationPassword);
        room.openConsole();
        QVERIFY(room.console()->isVisible());
        QVERIFY(!room.form()->isVisible());
        // A second start of the program brings up the console, standing in the main window's place.
        room.console()->showMinimized();
        room.windows.bringToFront();
        QVERIFY(!room.console()->isMinimized());
        QVERIFY(!room.form()->isVisible());
        QCOMPARE(room.console()->windowTitle(), QStringLiteral("点名计分器管理后台"));
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("txtSuperPassword"))->text(), OperationPassword);
        QVERIFY(room.in(QStringLiteral("Picture1"))->isVisible());

        // Classes: three typed, one of them the first again with a space.
        room.showPage(1);
        QVERIFY(!room.in(QStringLiteral("Picture1"))->isVisible());
        QVERIFY(room.in(QStringLiteral("Frame_manage_1"))->isVisible());
        room.in<QPlainTextEdit>(QStringLiteral("Text5"))
            ->setPlainText(Class1 + u'\n' + Class2 + QStringLiteral("\n初一 (1)班"));
        room.clickIn(QStringLiteral("Command10"));
        QCOMPARE(room.lines(QStringLiteral("List2")), QStringList({Class1, Class2}));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label6"))->text(),
                 QStringLiteral("已添加2个班级！1个班级名称已存在，被忽略！"));
        QVERIFY(room.in<QPlainTextEdit>(QStringLiteral("Text5"))->toPlainText().isEmpty());
        auto messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(isSuccessBox(messages[0], QStringLiteral("操作成功！")));
        QCOMPARE(ServiceRecord(m_online.endpoints())->readClassList(),
                 QStringList({Class1, Class2}));
        QCOMPARE(room.items(room.inForm<QComboBox>(QStringLiteral("Combo2"))),
                 QStringList({Class1, Class2}));
        room.saveScreenshot(QStringLiteral("console_classes"));

        // Students: the buttons wait for a class; a UTF-8 and a GBK roster go into one class.
        room.showPage(2);
        QCOMPARE(room.in<QComboBox>(QStringLiteral("Combo2"))->currentText(),
                 QStringLiteral("班级"));
        QVERIFY(!room.in(QStringLiteral("Command8"))->isEnabled());
        QVERIFY(room.choose(QStringLiteral("Combo2"), Class1));
        QVERIFY(room.in(QStringLiteral("Command8"))->isEnabled());
        QVERIFY(room.lines(QStringLiteral("List1")).isEmpty());

        const QString utf8File = room.data.filePath(QStringLiteral("名单.txt"));
        QVERIFY(writeBytes(utf8File, "\xEF\xBB\xBF" + QStringLiteral("张三\r\n李四\r\n").toUtf8()));
        dialogs::setNextFileName(utf8File);
        room.clickIn(QStringLiteral("Command5"));
        QCOMPARE(dialogs::takeFileDialogTitles(), QStringList{QStringLiteral("打开")});
        QCOMPARE(room.in<QPlainTextEdit>(QStringLiteral("Text1"))->toPlainText(),
                 QStringLiteral("张三\n李四"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("已成功导入，请检查后点击添加！"));
        room.clickIn(QStringLiteral("Command1"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("已添加2名学生！"));

        const QString gbkFile = room.data.filePath(QStringLiteral("roster-gbk.txt"));
        QVERIFY(writeBytes(gbkFile, gb18030::encode(u"王五\r赵六\r张三\r")));
        dialogs::setNextFileName(gbkFile);
        room.clickIn(QStringLiteral("Command5"));
        room.clickIn(QStringLiteral("Command1"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("已添加2名学生！1名学生存在，被忽略！"));
        const QStringList four{"张三", "李四", "王五", "赵六"};
        QCOMPARE(room.lines(QStringLiteral("List1")), four);
        QCOMPARE(ServiceRecord(m_online.endpoints()).students(Class1), four);
        QCOMPARE(dialogs::takeShownMessages().size(), 2);

        // Rename 李四, then delete 王五.
        room.doubleClick(QStringLiteral("List1"), QStringLiteral("李四"));
        QVERIFY(room.in(QStringLiteral("Frame3"))->isVisible());
        QCOMPARE(room.in<QLineEdit>(QStringLiteral("Text14"))->text(), QStringLiteral("李四"));
        room.in<QLineEdit>(QStringLiteral("Text15"))->setText(QStringLiteral("李思"));
        room.saveScreenshot(QStringLiteral("console_students"));
        room.clickIn(QStringLiteral("Command21"));
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(isSuccessBox(messages[0], QStringLiteral("修改成功！")));
        QVERIFY(!room.in(QStringLiteral("Frame3"))->isVisible());
        const QStringList renamed{"张三", "李思", "王五", "赵六"};
        QCOMPARE(room.lines(QStringLiteral("List1")), renamed);
        QCOMPARE(ServiceRecord(m_online.endpoints()).students(Class1), renamed);

        room.select(QStringLiteral("List1"), {QStringLiteral("王五")});
        room.clickIn(QStringLiteral("Command6"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("操作成功！"));
        const QStringList three{"张三", "李思", "赵六"};
        QCOMPARE(room.lines(QStringLiteral("List1")), three);
        QCOMPARE(ServiceRecord(m_online.endpoints()).students(Class1), three);
        QCOMPARE(dialogs::takeShownMessages().size(), 1);
        room.clickIn(QStringLiteral("Command3"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("成功反向选择了3个学生！"));

        // Entering the page again: no class, so no button that could save "班级".
        room.showPage(2);
        for (const char* button :
             {"Command1", "Command2", "Command3", "Command5", "Command6", "Command8"})
            QVERIFY(!room.in(QString::fromLatin1(button))->isEnabled());

        // Topics: two added, one renamed; the main window's topic box follows.
        room.showPage(5);
        room.in<QPlainTextEdit>(QStringLiteral("Text4"))
            ->setPlainText(QStringLiteral("函数\r\n数列"));
        room.clickIn(QStringLiteral("Command26"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label34"))->text(),
                 QStringLiteral("已添加2个课题！"));
        QCOMPARE(ServiceRecord(m_online.endpoints()).topics(), QStringList({"函数", "数列"}));
        room.doubleClick(QStringLiteral("List4"), QStringLiteral("数列"));
        room.in<QLineEdit>(QStringLiteral("Text2"))->setText(QStringLiteral("数列求和"));
        room.clickIn(QStringLiteral("Command25"));
        QCOMPARE(room.lines(QStringLiteral("List4")), QStringList({"函数", "数列求和"}));
        QCOMPARE(ServiceRecord(m_online.endpoints()).topics(), QStringList({"函数", "数列求和"}));
        QCOMPARE(room.items(room.inForm<QComboBox>(QStringLiteral("Combo3"))),
                 QStringList({"函数", "数列求和"}));
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 2);
        QVERIFY(isSuccessBox(messages[1], QStringLiteral("修改成功！")));
        room.saveScreenshot(QStringLiteral("console_topics"));

        room.clickIn(QStringLiteral("OKButton"));
        QVERIFY(!room.console()->isVisible());
        QVERIFY(room.form()->isVisible());
        room.openConsole();
        QVERIFY(room.in(QStringLiteral("Picture1"))->isVisible());
        QVERIFY(!room.in(QStringLiteral("Frame_manage_5"))->isVisible());
    }

    // Nothing is sent without a login, without an operation password, or with a name the
    // service cannot store; a new login and the window frame discard the console.
    // Rare characters of names (CJK extension A and B beside a GBK one) stay themselves from
    // the console through the service, the record file, the draw, a score, the daily log and
    // an upload: none becomes "?".
    void rareCharactersOfNamesArriveWhole() {
        const QString className = QStringLiteral("䶮班");
        const QStringList names{QStringLiteral("王䶮"), QString::fromUcs4(U"𠀀明"),
                                QStringLiteral("李堃")};
        ConsoleRoom room(m_online.config());
        QVERIFY(enterClassOnStudentsPage(room, className));
        room.in<QPlainTextEdit>(QStringLiteral("Text1"))->setPlainText(names.join(u'\n'));
        room.clickIn(QStringLiteral("Command1"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("已添加3名学生！"));
        QCOMPARE(room.lines(QStringLiteral("List1")), names);
        QCOMPARE(ServiceRecord(m_online.endpoints()).students(className), names);
        QFile record(room.data.recordFile());
        QVERIFY(record.open(QIODevice::ReadOnly));
        QVERIFY(record.readAll().contains(gb18030::encode(names[1])));
        room.clickIn(QStringLiteral("OKButton"));

        QVERIFY(room.choose(room.inForm<QComboBox>(QStringLiteral("Combo2")), className));
        QPushButton* everybody = room.inForm<QPushButton>(QStringLiteral("btnChou_0"));
        QTest::mouseClick(everybody, Qt::LeftButton);
        QTest::qWait(30);
        QTest::mouseClick(everybody, Qt::LeftButton);
        const QString drawn = room.inForm<QLineEdit>(QStringLiteral("Text2"))->text();
        QVERIFY2(names.contains(drawn), qPrintable(drawn));
        QVERIFY(
            room.choose(room.inForm<QComboBox>(QStringLiteral("Combo1")), QStringLiteral("4分")));
        QFile log(room.data.filePath(dailyLogFileName(Teacher, className, QDate::currentDate())));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(gb18030::decode(log.readAll()).section(u'\t', 1, 1), drawn);

        QTest::mouseClick(room.inForm(QStringLiteral("Command11")), Qt::LeftButton);
        dialogs::setNextAnswer(false);
        QTest::mouseClick(room.inForm(QStringLiteral("Command13")), Qt::LeftButton);
        QCOMPARE(dialogs::takeShownMessages().constLast().title, QStringLiteral("成功"));
        QCOMPARE(m_online.endpoints().getScores(className).section(u'\t', 1, 1), drawn);
    }

    // A roster workbook made by another program (openpyxl): a title row, a header with a
    // student-number column, a date and a formula column, an empty row and a second sheet.
    // The preview shows its 45 names before anything is sent; 添加 stores exactly those. A
    // zip bomb then gives one 提示 and changes nothing.
    void rosterWorkbookIsPreviewedThenAdded() {
        const QString className = QStringLiteral("初二(3)班");
        QStringList names;
        for (const QChar surname : QStringLiteral("王李张刘陈杨黄赵周"))
            for (const QChar given : QStringLiteral("一明堃芳静"))
                names << QString(surname) + given + QStringLiteral("同学");
        ConsoleRoom room(m_online.config());
        const QString path = room.data.filePath(QStringLiteral("初二(3)班名单.xlsx"));
        QString error;
        QVERIFY2(test::runPython(QString::fromUtf8(R"(
import datetime, sys, openpyxl
book = openpyxl.Workbook()
sheet = book.active
sheet.title = '学生名单'
sheet.append(['初二(3)班学生名单'])
sheet.merge_cells('A1:D1')
sheet.append(['学号', '姓名', '入学日期', '学号×2'])
for i, name in enumerate(sys.argv[2:]):
    sheet.append([20230001 + i, name, datetime.date(2023, 9, 1), '=A%d*2' % (i + 3)])
    if i == 20:
        sheet.append([])
book.create_sheet('说明').append(['本表由教务处导出'])
book.save(sys.argv[1])
)"),
                                 QStringList{path} + names, &error),
                 qPrintable(error));

        QVERIFY(enterClassOnStudentsPage(room, className));
        dialogs::takeShownMessages();
        dialogs::setNextFileName(path);
        room.clickIn(QStringLiteral("Command5"));
        auto* preview = room.in<QDialog>(QStringLiteral("dlgRosterImport"));
        QVERIFY(preview->isVisible());
        QCOMPARE(room.items(room.in<QComboBox>(QStringLiteral("cboSheet"))),
                 QStringList({"学生名单", "说明"}));
        QCOMPARE(room.lines(QStringLiteral("lstImportNames")), names);
        QCOMPARE(room.in<QLabel>(QStringLiteral("lblImportCount"))->text(),
                 QStringLiteral("将添加45名学生（姓名取自B列，第2行是标题）："));
        QVERIFY(room.lines(QStringLiteral("lstLeftOut")).isEmpty());
        test::saveScreenshot(preview, QStringLiteral("console_roster_import"));
        room.clickIn(QStringLiteral("cmdImportOk"));
        QTRY_VERIFY(!room.console()->findChild<QDialog*>(QStringLiteral("dlgRosterImport")));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("已成功导入，请检查后点击添加！"));
        QVERIFY(ServiceRecord(m_online.endpoints()).students(className).isEmpty());
        room.clickIn(QStringLiteral("Command1"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("已添加45名学生！"));
        QCOMPARE(ServiceRecord(m_online.endpoints()).students(className), names);
        dialogs::takeShownMessages();

        const QString bomb = room.data.filePath(QStringLiteral("bomb.xlsx"));
        QVERIFY(test::runPython(QString::fromUtf8(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('xl/workbook.xml', ' ' * (100 << 20))
)"),
                                {bomb}, &error));
        dialogs::setNextFileName(bomb);
        room.clickIn(QStringLiteral("Command5"));
        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY(isWarning(shown[0], QStringLiteral("提示"),
                          QStringLiteral("无法导入“bomb.xlsx”：解压后的内容超过16 MB，"
                                         "可能是恶意构造的文件")));
        QVERIFY(!room.console()->findChild<QDialog*>(QStringLiteral("dlgRosterImport")));
        QCOMPARE(room.lines(QStringLiteral("List1")), names);
    }

    void guardsStopBeforeSending() {
        ConsoleRoom room(m_online.config());
        room.login(Teacher, LoginPassword); // 后台 opens after an online login
        room.loginOffline();
        room.openConsole();
        room.showPage(1);
        room.in<QPlainTextEdit>(QStringLiteral("Text5"))->setPlainText(QStringLiteral("三班"));
        room.in<QLineEdit>(QStringLiteral("txtSuperPassword"))->setText(OperationPassword);
        room.clickIn(QStringLiteral("Command10"));
        room.clickIn(QStringLiteral("Command9"));
        const QString needLogin = QStringLiteral("登录后才能进行此操作！");
        auto messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 2);
        QVERIFY(isWarning(messages[0], QStringLiteral("提示"), needLogin));
        QVERIFY(isWarning(messages[1], QStringLiteral("提示"), needLogin));
        QCOMPARE(room.lines(QStringLiteral("List2")),
                 ServiceRecord(m_online.endpoints())->readClassList());

        room.clickIn(QStringLiteral("OKButton"));
        room.login(Teacher, LoginPassword);
        QVERIFY(!room.console()); // the new login discarded it
        room.openConsole();
        QVERIFY(room.in<QLineEdit>(QStringLiteral("txtSuperPassword"))->text().isEmpty());
        room.showPage(5);
        room.in<QPlainTextEdit>(QStringLiteral("Text4"))->setPlainText(QStringLiteral("几何"));
        room.clickIn(QStringLiteral("Command26"));
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(isWarning(messages[0], QStringLiteral("提示"),
                          QStringLiteral("请在右侧输入操作密码！")));

        const QStringList topics = ServiceRecord(m_online.endpoints()).topics();
        room.in<QLineEdit>(QStringLiteral("txtSuperPassword"))->setText(OperationPassword);
        room.in<QPlainTextEdit>(QStringLiteral("Text4"))
            ->setPlainText(QStringLiteral("几何\n代数|方程"));
        room.clickIn(QStringLiteral("Command26"));
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("提示"));
        QVERIFY(messages[0].text.contains(QStringLiteral("“代数|方程”")));
        QVERIFY(!room.lines(QStringLiteral("List4")).contains(QStringLiteral("几何")));
        QCOMPARE(ServiceRecord(m_online.endpoints()).topics(), topics);

        QTest::mouseRelease(room.in(QStringLiteral("Label15")), Qt::LeftButton);
        QCOMPARE(browser::takeOpenedUrls(), QList<QUrl>{QUrl(m_online.baseUrl())});

        QPointer<ConsoleWindow> closed = room.console();
        closed->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        QVERIFY(!room.console());
        QVERIFY(room.form()->isVisible());
    }

    // While a save waits, the buttons that send are disabled and a second click sends nothing.
    void oneRequestAtATime() {
        ConsoleRoom room(m_online.config());
        room.login(Teacher, LoginPassword);
        room.openConsole();
        room.showPage(1);
        room.in<QLineEdit>(QStringLiteral("txtSuperPassword"))->setText(OperationPassword);

        SilentServer silent;
        room.config.setServiceBase(silent.baseUrl());
        room.config.setTimeout(std::chrono::milliseconds(500));
        QPushButton* save = room.in<QPushButton>(QStringLiteral("Command4"));
        bool checked = false;
        silent.onFirstConnection([&] {
            QVERIFY(!save->isEnabled());
            QVERIFY(!room.in(QStringLiteral("Command10"))->isEnabled());
            QVERIFY(!room.in(QStringLiteral("Cmd_manage_2"))->isEnabled());
            ConsoleRoom::click(save);
            Q_EMIT save->clicked(); // even a click that gets through sends nothing
            checked = true;
        });
        ConsoleRoom::click(save);
        QVERIFY(checked);
        QCOMPARE(silent.connections(), 2); // the save, and the record read again after it
        QVERIFY(save->isEnabled());
        const auto messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(isWarning(messages[0], QStringLiteral("错误"), QStringLiteral("网络异常！")));
    }

    // A change the service refuses (a wrong operation password) or never answers is shown as
    // not done: no success text, the list as the service holds it (a deletion's lines selected
    // again), the typed names still in the box for a second try. Classes and students alike.
    void refusedOrFailedChangeShowsWhatIsStored() {
        const QString newClass = QStringLiteral("初二(1)班");
        const QString refused = QStringLiteral("用户名或操作密码错误");
        ConsoleRoom room(m_online.config());
        room.login(Teacher, LoginPassword);
        room.openConsole();
        room.showPage(1);
        const QStringList classes = room.lines(QStringLiteral("List2"));
        auto* password = room.in<QLineEdit>(QStringLiteral("txtSuperPassword"));
        auto* classBox = room.in<QPlainTextEdit>(QStringLiteral("Text5"));
        auto* classStatus = room.in<QLabel>(QStringLiteral("Label6"));
        password->setText(QStringLiteral("wrong"));
        classBox->setPlainText(newClass + QStringLiteral("\n初二(2)班"));
        room.clickIn(QStringLiteral("Command10"));
        auto messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(isWarning(messages[0], QStringLiteral("错误"), refused + "\r\n操作错误！"));
        QCOMPARE(classStatus->text(), refused);
        QCOMPARE(room.lines(QStringLiteral("List2")), classes);
        QCOMPARE(classBox->toPlainText(), newClass + QStringLiteral("\n初二(2)班"));
        QCOMPARE(ServiceRecord(m_online.endpoints())->readClassList(), classes);

        password->setText(OperationPassword);
        classBox->setPlainText(newClass);
        room.clickIn(QStringLiteral("Command10"));
        QCOMPARE(classStatus->text(), QStringLiteral("已添加1个班级！"));
        QVERIFY(classBox->toPlainText().isEmpty());
        const QStringList more = classes + QStringList{newClass};
        QCOMPARE(ServiceRecord(m_online.endpoints())->readClassList(), more);
        dialogs::takeShownMessages();

        password->setText(QStringLiteral("wrong"));
        room.select(QStringLiteral("List2"), {newClass});
        room.clickIn(QStringLiteral("Command9"));
        QCOMPARE(classStatus->text(), refused);
        QCOMPARE(room.lines(QStringLiteral("List2")), more);
        QCOMPARE(room.in<QListWidget>(QStringLiteral("List2"))->selectedItems().size(), 1);
        QVERIFY(room.in<QListWidget>(QStringLiteral("List2"))->item(classes.size())->isSelected());
        QCOMPARE(ServiceRecord(m_online.endpoints())->readClassList(), more);
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("错误"));

        // The students page, through the same pattern.
        room.showPage(2);
        QVERIFY(room.choose(QStringLiteral("Combo2"), newClass));
        auto* studentBox = room.in<QPlainTextEdit>(QStringLiteral("Text1"));
        studentBox->setPlainText(QStringLiteral("周七"));
        room.clickIn(QStringLiteral("Command1"));
        QCOMPARE(room.in<QLabel>(QStringLiteral("Label2"))->text(), refused);
        QVERIFY(room.lines(QStringLiteral("List1")).isEmpty());
        QCOMPARE(studentBox->toPlainText(), QStringLiteral("周七"));
        QVERIFY(ServiceRecord(m_online.endpoints()).students(newClass).isEmpty());
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("错误"));

        // A stopped service: the deletion is not shown as done either.
        m_online.stopService();
        password->setText(OperationPassword);
        room.showPage(1);
        room.select(QStringLiteral("List2"), {newClass});
        room.clickIn(QStringLiteral("Command9"));
        QCOMPARE(classStatus->text(), QStringLiteral("网络异常！"));
        QCOMPARE(room.lines(QStringLiteral("List2")), more);
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(isWarning(messages[0], QStringLiteral("错误"), QStringLiteral("网络异常！")));
    }

private:
    OnlineFixture m_online;
};

QTEST_MAIN(ConsoleRosterTest)
#include "tst_console_roster.moc"
