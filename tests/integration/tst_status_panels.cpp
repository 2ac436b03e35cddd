// SPDX-License-Identifier: GPL-3.0-or-later

#include "OnlineFixture.h"
#include "ScriptedProgram.h"
#include "common/Browser.h"
#include "common/Dialogs.h"
#include "status/StatusPanels.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace ordalis;

namespace {

// A window with what the status panels need of the main window: its status bar and Label30.
struct Window {
    QMainWindow window;
    QLabel* label30 = new QLabel;
    std::unique_ptr<StatusPanels> panels;

    Window(ServiceEndpoints& service, const ServiceConfig& config) {
        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        label30->setObjectName(QStringLiteral("Label30"));
        layout->addWidget(label30);
        window.setCentralWidget(central);
        window.statusBar()->setObjectName(QStringLiteral("StatusBar1"));
        panels = std::make_unique<StatusPanels>(window.statusBar(), label30, service, config);
        window.resize(720, 120);
    }

    QLabel* panelLabel(int number) const {
        return window.findChild<QLabel*>(QStringLiteral("Panels_%1").arg(number));
    }
    QString panel(int number) const { return panelLabel(number)->text(); }
    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            panels->tick();
    }
};

// The checks wait for nobody: what they show comes with their replies. The messages shown
// within `milliseconds`, or as soon as `atLeast` of them have come.
QList<dialogs::ShownMessage> messagesWithin(int atLeast, int milliseconds) {
    QList<dialogs::ShownMessage> shown;
    const auto enough = [&] {
        shown += dialogs::takeShownMessages();
        return atLeast > 0 && shown.size() >= atLeast;
    };
    if (!QTest::qWaitFor(enough, milliseconds))
        shown += dialogs::takeShownMessages();
    return shown;
}

} // namespace

class StatusPanelsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        test::scriptTheProgram();
        QVERIFY2(m_online.start(), qPrintable(m_online.error()));
    }

    void init() { test::forgetWhatWasShown(); }

    void startUpTexts() {
        Window w(m_online.endpoints(), m_online.config());
        QCOMPARE(w.panel(1), QStringLiteral("版本:" ORDALIS_VERSION));
        QCOMPARE(w.panel(4), QStringLiteral("双击计时"));
        QCOMPARE(w.panel(5), m_online.baseUrl());
        QCOMPARE(w.label30->text(), QStringLiteral("00:00"));
        const QTimer* timer = w.panels->findChild<QTimer*>(QStringLiteral("Timer2"));
        QVERIFY(timer != nullptr);
        QCOMPARE(timer->interval(), 1000);
    }

    // The first tick asks the service for its time and the maker's site for its version; with
    // the computer's clock right nothing is shown, and later ticks ask nothing again.
    void firstTickChecksOnce() {
        Window w(m_online.endpoints(), m_online.config());
        w.ticks(1);
        QTRY_COMPARE(w.panel(2), QStringLiteral("服务器版本:" ORDALIS_VERSION));
        QVERIFY(messagesWithin(0, 500).isEmpty());
        w.panelLabel(2)->setText(QString());
        w.ticks(3);
        QTest::qWait(300);
        QVERIFY(w.panel(2).isEmpty());
    }

    void wrongComputerClockIsWarned() {
        Window w(m_online.endpoints(), m_online.config());
        w.panels->setClock([] { return QDateTime::currentDateTime().addSecs(-3600); });
        w.ticks(2);
        const auto shown = messagesWithin(1, 10000);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("时间错误"));
        QCOMPARE(shown[0].icon, dialogs::Icon::Warning);
        QVERIFY(
            shown[0].text.startsWith(QStringLiteral("时间错误，请修改后确定！\r\n服务器时间:")));
    }

    void unreachableServicesPassSilently() {
        ServiceConfig config;
        config.setServiceBase(QStringLiteral("http://127.0.0.1:9")); // discard port: refused
        config.setTimeout(std::chrono::seconds(2));
        Session session;
        ServiceEndpoints endpoints(config, session);
        Window w(endpoints, config);
        w.panels->setClock([] { return QDateTime::fromSecsSinceEpoch(0); });
        w.ticks(1);
        QVERIFY(messagesWithin(0, 1000).isEmpty());
        QTRY_COMPARE(w.panel(2), QStringLiteral("无法检测服务器版本"));
    }

    void classTimerByDoubleClicks() {
        Window w(m_online.endpoints(), m_online.config());
        w.window.show();
        w.ticks(10); // counting while hidden does not matter: a start begins at zero
        QCOMPARE(w.panel(4), QStringLiteral("双击计时"));
        QTest::mouseDClick(w.label30, Qt::LeftButton);
        w.ticks(65);
        QCOMPARE(w.panel(4), QStringLiteral("00:01:05"));
        QCOMPARE(w.label30->text(), QStringLiteral("01:05"));

        QTest::mouseDClick(w.panelLabel(4), Qt::LeftButton);
        w.ticks(5);
        QCOMPARE(w.panel(4), QStringLiteral("00:01:05"));
        QCOMPARE(w.label30->text(), QStringLiteral("01:05"));

        QTest::mouseDClick(w.panelLabel(4), Qt::LeftButton);
        w.ticks(1);
        QCOMPARE(w.panel(4), QStringLiteral("00:00:01"));
        QCOMPARE(w.label30->text(), QStringLiteral("00:01"));
        w.ticks(3604);
        QCOMPARE(w.panel(4), QStringLiteral("01:00:05"));
        QCOMPARE(w.label30->text(), QStringLiteral("00:05"));
    }

    void linksOpenInTheBrowser() {
        Window w(m_online.endpoints(), m_online.config());
        w.window.show();
        for (int number = 1; number <= 5; ++number)
            QTest::mouseDClick(w.panelLabel(number), Qt::LeftButton);
        const QList<QUrl> opened = browser::takeOpenedUrls();
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[0], QUrl(m_online.baseUrl() + "/update.php?sort=Tumbrel"));
        QCOMPARE(opened[1], QUrl(m_online.baseUrl()));
        QVERIFY(w.panels->classTimer().running()); // panel 4 toggled the class timer
    }

    void screenshotWithTheTimerRunning() {
        Window w(m_online.endpoints(), m_online.config());
        w.window.show();
        w.ticks(1);
        w.panels->doubleClickPanel(4);
        w.ticks(754);
        QCOMPARE(w.panel(4), QStringLiteral("00:12:34"));
        QCOMPARE(w.label30->text(), QStringLiteral("12:34"));
        QTRY_VERIFY(w.panelLabel(2)->text().startsWith(QStringLiteral("服务器版本:")));
        QVERIFY(QDir().mkpath(QStringLiteral(ORDALIS_SCREENSHOT_DIR)));
        QVERIFY(w.window.grab().save(QStringLiteral(ORDALIS_SCREENSHOT_DIR "/status_bar.png")));
    }

private:
    test::OnlineFixture m_online;
};

QTEST_MAIN(StatusPanelsTest)
#include "tst_status_panels.moc"
