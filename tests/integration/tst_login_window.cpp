// SPDX-License-Identifier: GPL-3.0-or-later

#include "OnlineFixture.h"
#include "RecordFixture.h"
#include "ScriptedProgram.h"
#include "SilentServer.h"
#include "common/Dialogs.h"
#include "session/LoginWindow.h"
#include "session/RememberedUsers.h"
#include "text/WireText.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

using namespace ordalis;

class LoginWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        test::scriptTheProgram();
        QVERIFY2(m_online.start(), qPrintable(m_online.error()));
        QVERIFY2(m_online.addTeacher("anna", "secret", "op-a"), qPrintable(m_online.error()));
        QVERIFY2(m_online.addTeacher("bert", "other", "op-b"), qPrintable(m_online.error()));
    }

    void init() {
        test::forgetWhatWasShown();
        m_online.session() = Session();
        m_ini = m_settingsDir.filePath(QStringLiteral("%1.ini").arg(QTest::currentTestFunction()));
    }

    void opensWithThePrompt() {
        RememberedUsers users(m_ini);
        auto window = makeWindow(users);
        QCOMPARE(combo(*window)->currentText(), LoginWindow::Prompt);
        QCOMPARE(combo(*window)->count(), 0);
        QVERIFY(password(*window)->text().isEmpty());
        QCOMPARE(window->windowTitle(), QStringLiteral("登录"));
    }

    // The password is sent without its surrounding blanks (a full-width space is one), and mp
    // is made from that same text, so the service's reads accept it.
    void onlineLoginFillsTheSession() {
        RememberedUsers users(m_ini);
        auto window = makeWindow(users);
        QSignalSpy online(window.get(), &LoginWindow::onlineLogin);
        window->show();
        loginAs(*window, "anna", "  secret\u3000");
        QCOMPARE(online.count(), 1);
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        QCOMPARE(m_online.session().userName, QStringLiteral("anna"));
        QCOMPARE(m_online.session().mp, md5Hex(QStringLiteral("secret")));
        QVERIFY(!window->isVisible());
        QVERIFY(button(*window, "cmdOK")->isEnabled()); // usable again for the next login
    }

    void rememberedNamesAfterLoginsAnnaBertAnna() {
        {
            RememberedUsers users(m_ini);
            auto window = makeWindow(users);
            loginAs(*window, "anna", "secret");
            loginAs(*window, "bert", "other");
            loginAs(*window, "anna", "secret");
            QCOMPARE(users.storedNames(), QStringLiteral("bert|anna|"));
            QCOMPARE(users.lastLoginName(), QStringLiteral("anna"));
        }
        RememberedUsers users(m_ini);
        auto next = makeWindow(users);
        QCOMPARE(combo(*next)->currentText(), QStringLiteral("anna"));
        QCOMPARE(combo(*next)->count(), 2);
        QCOMPARE(combo(*next)->itemText(0), QStringLiteral("bert"));
        QCOMPARE(combo(*next)->itemText(1), QStringLiteral("anna"));
    }

    void forgettingNamesEmptiesTheBoxAtOnce() {
        {
            RememberedUsers users(m_ini);
            auto window = makeWindow(users);
            loginAs(*window, "anna", "secret");
            QTest::mouseClick(button(*window, "Command4"), Qt::LeftButton);
            QCOMPARE(combo(*window)->count(), 0);
            QVERIFY(combo(*window)->currentText().isEmpty());
        }
        RememberedUsers users(m_ini);
        auto next = makeWindow(users);
        QCOMPARE(combo(*next)->currentText(), LoginWindow::Prompt);
        QCOMPARE(combo(*next)->count(), 0);
    }

    void refusalsAndMissingFields() {
        RememberedUsers users(m_ini);
        auto window = makeWindow(users);
        QSignalSpy online(window.get(), &LoginWindow::onlineLogin);
        window->show();

        // The prompt itself goes out as the user name, which the service does not know.
        password(*window)->setText(QStringLiteral("secret"));
        QTest::mouseClick(button(*window, "cmdOK"), Qt::LeftButton);
        auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("登录"));
        QCOMPARE(shown[0].text, QStringLiteral("无效的密码，请重试!"));
        QCOMPARE(shown[0].icon, dialogs::Icon::Warning);

        loginAs(*window, "anna", "wrong");
        shown = dialogs::takeShownMessages();
        QCOMPARE(shown.value(0).text, QStringLiteral("无效的密码，请重试!"));
        QCOMPARE(password(*window)->selectedText(), QStringLiteral("wrong"));
        QVERIFY(window->isVisible());

        combo(*window)->setEditText(QStringLiteral("anna"));
        password(*window)->clear();
        QTest::mouseClick(button(*window, "cmdOK"), Qt::LeftButton);
        shown = dialogs::takeShownMessages();
        QCOMPARE(shown.value(0).title, QStringLiteral("错误"));
        QCOMPARE(shown.value(0).text, QStringLiteral("请输入用户名和密码！"));
        QCOMPARE(online.count(), 0);
        QVERIFY(m_online.session().userName.isEmpty());
    }

    void offlineLoginAndTheProbe() {
        test::TempDataFolder data;
        RememberedUsers users(m_ini);
        bool connected = false;
        LoginWindow window(m_online.session(), m_online.endpoints(), data.folder(), users,
                           [&connected] { return connected; });
        QVERIFY(!button(window, "Command1")->isEnabled());
        QVERIFY(!button(window, "cmdOK")->isEnabled());
        QVERIFY(!button(window, "Command2")->isEnabled());

        QVERIFY(data.writeSampleRecord());
        connected = true;
        QTRY_VERIFY_WITH_TIMEOUT(button(window, "Command1")->isEnabled(), 2000);
        QVERIFY(button(window, "cmdOK")->isEnabled());
        QVERIFY(button(window, "Command2")->isEnabled());

        QSignalSpy offline(&window, &LoginWindow::offlineLogin);
        m_online.session().mp = QStringLiteral("kept");
        window.show();
        QTest::mouseClick(button(window, "Command1"), Qt::LeftButton);
        QCOMPARE(offline.count(), 1);
        QCOMPARE(m_online.session().userName, Session::OfflineUserName);
        QCOMPARE(m_online.session().mp, QStringLiteral("kept"));
        QVERIFY(!window.isVisible());
    }

    // While the service has not answered, the login button cannot send the request again.
    void noSecondLoginWhileWaiting() {
        test::SilentServer silent;
        QVERIFY(silent.listening());
        const ServiceConfig config = silent.config(std::chrono::seconds(3));
        Session session;
        ServiceEndpoints endpoints(config, session);
        test::TempDataFolder data;
        RememberedUsers users(m_ini);
        LoginWindow window(session, endpoints, data.folder(), users, [] { return true; });
        window.show();
        combo(window)->setEditText(QStringLiteral("anna"));
        password(window)->setText(QStringLiteral("secret"));

        bool disabledMeanwhile = false;
        silent.onFirstConnection([&] {
            window.probe(); // the half-second probe must not enable it either
            disabledMeanwhile = !button(window, "cmdOK")->isEnabled();
            QTest::mouseClick(button(window, "cmdOK"), Qt::LeftButton);
        });
        QTest::mouseClick(button(window, "cmdOK"), Qt::LeftButton);
        QVERIFY(disabledMeanwhile);
        QCOMPARE(silent.connections(), 1);
        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("错误"));
        QVERIFY(shown[0].text.contains(QStringLiteral("\r\n网络异常！\r\n")));
        QVERIFY(shown[0].text.contains(QStringLiteral("离线登录")));
        QCOMPARE(shown[0].icon, dialogs::Icon::None);
        QVERIFY(button(window, "cmdOK")->isEnabled());
        QVERIFY(window.isVisible());
    }

    // The prompt is selected when the box gets the focus, so typing replaces it; Enter in the
    // password box logs in and Escape cancels.
    void keysOfTheLoginWindow() {
        RememberedUsers users(m_ini);
        auto window = makeWindow(users);
        QSignalSpy online(window.get(), &LoginWindow::onlineLogin);
        QSignalSpy returned(window.get(), &LoginWindow::returned);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QLineEdit* userText = combo(*window)->lineEdit();
        password(*window)->setFocus();
        combo(*window)->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(userText->selectedText(), LoginWindow::Prompt);
        QTest::keyClicks(userText, QStringLiteral("anna"));
        QCOMPARE(combo(*window)->currentText(), QStringLiteral("anna"));

        QTest::keyClicks(password(*window), QStringLiteral("secret"));
        QTest::keyClick(password(*window), Qt::Key_Return);
        QCOMPARE(online.count(), 1);
        QCOMPARE(m_online.session().userName, QStringLiteral("anna"));

        window->show();
        QTest::keyClick(password(*window), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(returned.count(), 1);
    }

    void cancelAndCloseReturnToTheMainWindow() {
        RememberedUsers users(m_ini);
        auto window = makeWindow(users);
        QSignalSpy returned(window.get(), &LoginWindow::returned);
        window->show();
        QTest::mouseClick(button(*window, "cmdCancel"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        window->show();
        window->close();
        QCOMPARE(returned.count(), 2);
        QVERIFY(m_online.session().userName.isEmpty());
    }

    // The last name comes back in the user box and the password shows one star a character.
    void rememberedNameAndStarredPassword() {
        RememberedUsers users(m_ini);
        QVERIFY(users.remember(QStringLiteral("张老师")));
        auto window = makeWindow(users);
        window->show();
        QCOMPARE(combo(*window)->currentText(), QStringLiteral("张老师"));
        // The remembered account is there: typing goes to the password box, and Enter
        // without a password says what is missing.
        QCOMPARE(window->focusWidget(), password(*window));
        QTest::keyClick(password(*window), Qt::Key_Return);
        QCOMPARE(dialogs::takeShownMessages().value(0).text,
                 QStringLiteral("请输入用户名和密码！"));
        password(*window)->setText(QStringLiteral("secret"));
        QLineEdit* box = password(*window);
        QCOMPARE(box->echoMode(), QLineEdit::Password);
        QCOMPARE(box->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, box),
                 int(u'*'));
        QVERIFY(QDir().mkpath(QStringLiteral(ORDALIS_SCREENSHOT_DIR)));
        QVERIFY(window->grab().save(QStringLiteral(ORDALIS_SCREENSHOT_DIR "/login_window.png")));
    }

private:
    std::unique_ptr<LoginWindow> makeWindow(RememberedUsers& users) {
        return std::make_unique<LoginWindow>(m_online.session(), m_online.endpoints(),
                                             m_data.folder(), users, [] { return true; });
    }

    static QComboBox* combo(QWidget& window) {
        return window.findChild<QComboBox*>(QStringLiteral("ComboUser"));
    }
    static QLineEdit* password(QWidget& window) {
        return window.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    }
    static QPushButton* button(QWidget& window, const char* name) {
        return window.findChild<QPushButton*>(QLatin1String(name));
    }

    void loginAs(LoginWindow& window, const char* user, const char* typed) {
        window.show();
        combo(window)->setEditText(QString::fromUtf8(user));
        password(window)->setText(QString::fromUtf8(typed));
        QTest::mouseClick(button(window, "cmdOK"), Qt::LeftButton);
    }

    test::OnlineFixture m_online;
    test::TempDataFolder m_data;
    QTemporaryDir m_settingsDir;
    QString m_ini;
};

QTEST_MAIN(LoginWindowTest)
#include "tst_login_window.moc"
