// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on an X server of its own under a real window manager, as a teacher's
// desktop shows it: each window the main window opens comes up above it with the focus,
// centred over it; the main window stays where it was whatever the teacher does; the draw
// window stays above a full-screen slideshow of another program, which keeps the keyboard.

#include "CannotRun.h"
#include "DrivenProgram.h"
#include "ManagedDisplay.h"
#include "RecordFixture.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPainter>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <cstdio>

using namespace ordalis;
using test::XWindow;

namespace {

const char* const SlideshowVariable = "ORDALIS_TEST_SLIDESHOW";

// Another program's full-screen slideshow: every key it gets is printed.
class Slideshow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0x2a, 0x4d, 0x69));
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(height() / 10);
        painter.setFont(font);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("第 3 页：光合作用"));
    }

    void keyPressEvent(QKeyEvent* event) override {
        std::printf("key %s\n", qPrintable(QKeySequence(event->key()).toString()));
        std::fflush(stdout);
    }
};

int showSlideshow(int argc, char** argv) {
    QApplication app(argc, argv);
    Slideshow slides;
    slides.setWindowTitle(QStringLiteral("slideshow"));
    slides.showFullScreen();
    std::printf("shown 0x%llx\n", qulonglong(slides.winId()));
    std::fflush(stdout);
    return app.exec();
}

// One window as the driver printed it: its X window and a widget's rectangle inside it.
struct Printed {
    XWindow window = 0;
    QRect widget;
};

Printed parsePrinted(const QString& text) {
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 5)
        return {};
    return {test::windowId(parts[0]),
            QRect(parts[1].toInt(), parts[2].toInt(), parts[3].toInt(), parts[4].toInt())};
}

// A step that waits until the test has looked.
QStringList lookAt(const QString& target) {
    return {QStringLiteral("where ") + target, QStringLiteral("wait")};
}

// A check of a lambda ends the test at its first failure: the program waits for the test.
#define CHECKED(call)                                                                              \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

void saveScreen(const test::ManagedDisplay& display, const QString& name) {
    const QImage shown = display.screen();
    QVERIFY(!shown.isNull());
    const QString folder = QStringLiteral(ORDALIS_SCREENSHOT_DIR);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY2(shown.save(folder + u'/' + name + QStringLiteral(".png")), qPrintable(folder));
}

QString describe(const QRect& rect) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

QString describe(const QList<XWindow>& windows) {
    QStringList ids;
    for (XWindow window : windows)
        ids << QString::number(window, 16);
    return ids.join(u' ');
}

} // namespace

class WindowsUnderWmTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        if (const QStringList missing = test::ManagedDisplay::missingPrograms(); !missing.isEmpty())
            ORDALIS_SKIP_CANNOT_RUN(
                qPrintable(QStringLiteral("X test programs missing: ") + missing.join(u' ')));
    }

    void windowsComeUpOverTheMainWindow_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1366x768") << QSize(1366, 768);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
    }

    // Each window opened from the main window (or from the login window that stands in its
    // place) is above it, active and centred over it, on the screen; the main window keeps its
    // place through logins, a class chosen, the console, projector mode and a second login.
    void windowsComeUpOverTheMainWindow() {
        QFETCH(QSize, screen);
        test::ManagedDisplay display(screen);
        QVERIFY2(display.problem().isEmpty(), qPrintable(display.problem()));
        test::TempDataFolder data;
        const QStringList login{QStringLiteral("type frmLogin/ComboUser demo"),
                                QStringLiteral("type frmLogin/txtPassword demo1234"),
                                QStringLiteral("click frmLogin/cmdOK")};
        QStringList steps = lookAt(QStringLiteral("Form1"));
        steps << QStringLiteral("click Form1/btnHistory") << lookAt(QStringLiteral("modal"))
              << QStringLiteral("answer") << QStringLiteral("click Form1/Command1")
              << lookAt(QStringLiteral("frmLogin")) << QStringLiteral("click frmLogin/Command3")
              << lookAt(QStringLiteral("frmPswd")) << QStringLiteral("close frmPswd")
              << QStringLiteral("click frmLogin/Command2") << lookAt(QStringLiteral("frmReg"))
              << QStringLiteral("close frmReg") << login << lookAt(QStringLiteral("Form1"))
              << QStringLiteral("choose Form1/Combo2 0") << lookAt(QStringLiteral("Form1"))
              << QStringLiteral("click Form1/btnHistory") << lookAt(QStringLiteral("frmHistory"))
              << QStringLiteral("close frmHistory") << QStringLiteral("click Form1/btnManage")
              << lookAt(QStringLiteral("Dialog")) << QStringLiteral("close Dialog")
              << lookAt(QStringLiteral("Form1")) << lookAt(QStringLiteral("Form1/Image2"))
              << lookAt(QStringLiteral("Form1/Image1")) << lookAt(QStringLiteral("Form1"))
              << QStringLiteral("state Form1 full-screen active") << QStringLiteral("wait")
              << QStringLiteral("state Form1 normal active") << lookAt(QStringLiteral("Form1"))
              << QStringLiteral("click Form1/Command1") << login << lookAt(QStringLiteral("Form1"))
              << QStringLiteral("close Form1");
        test::DrivenProgram program(data.path(), steps, {}, {}, display.environment());

        const Printed main = parsePrinted(program.nextPrinted(QStringLiteral("where Form1/: ")));
        QVERIFY(main.window != 0);
        const QRect mainFrame = display.frameOf(main.window);
        QVERIFY(QRect(QPoint(), screen).contains(mainFrame));
        QCOMPARE(display.activeWindow(), main.window);
        program.proceed();

        const auto checkOpened = [&](const QString& name, bool overMainWindow) {
            const Printed opened =
                parsePrinted(program.nextPrinted(QStringLiteral("where %1/: ").arg(name)));
            QVERIFY2(opened.window != 0, qPrintable(name));
            QTRY_COMPARE_WITH_TIMEOUT(display.activeWindow(), opened.window, 5000);
            const QList<XWindow> stacking = display.stacking();
            if (overMainWindow)
                QVERIFY2(stacking.indexOf(opened.window) > stacking.indexOf(main.window),
                         qPrintable(name + u' ' + describe(stacking)));
            const QRect frame = display.frameOf(opened.window);
            QVERIFY2(QRect(QPoint(), screen).contains(frame), qPrintable(name));
            // Centred over the main window, unless the screen's edge is in the way.
            const QPoint off = frame.center() - mainFrame.center();
            const bool againstEdge = frame.left() == 0 || frame.top() == 0 ||
                                     frame.right() == screen.width() - 1 ||
                                     frame.bottom() == screen.height() - 1;
            QVERIFY2(againstEdge || (qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2),
                     qPrintable(QStringLiteral("%1 at %2 over %3")
                                    .arg(name, describe(frame), describe(mainFrame))));
            if (name == QLatin1String("frmHistory") && screen.width() == 1366)
                saveScreen(display, QStringLiteral("wm_history_over_main_1366"));
            program.proceed();
        };
        const auto checkMainWindowStayed = [&](const char* after) {
            const Printed again =
                parsePrinted(program.nextPrinted(QStringLiteral("where Form1/: ")));
            QCOMPARE(again.window, main.window);
            QTRY_COMPARE_WITH_TIMEOUT(display.activeWindow(), main.window, 5000);
            const QRect frame = display.frameOf(main.window);
            QVERIFY2(
                frame.topLeft() == mainFrame.topLeft(),
                qPrintable(QStringLiteral("after %1 at %2, was %3")
                               .arg(QLatin1String(after), describe(frame), describe(mainFrame))));
            program.proceed();
        };

        CHECKED(checkOpened(QStringLiteral("modal"), true));
        CHECKED(checkOpened(QStringLiteral("frmLogin"), false));
        CHECKED(checkOpened(QStringLiteral("frmPswd"), false));
        CHECKED(checkOpened(QStringLiteral("frmReg"), false));
        CHECKED(checkMainWindowStayed("login"));
        CHECKED(checkMainWindowStayed("class chosen"));
        CHECKED(checkOpened(QStringLiteral("frmHistory"), true));
        CHECKED(checkOpened(QStringLiteral("Dialog"), false));
        CHECKED(checkMainWindowStayed("console"));
        // The pointer on the small square makes the window compact, on the large one full again.
        const auto hover = [&](const QString& picture, bool compact) {
            const Printed target =
                parsePrinted(program.nextPrinted(QStringLiteral("where Form1/%1: ").arg(picture)));
            QVERIFY(display.movePointer(display.insideOf(main.window).topLeft() +
                                        target.widget.center()));
            QTRY_COMPARE_WITH_TIMEOUT(display.frameOf(main.window).size() == mainFrame.size(),
                                      !compact, 5000);
            QCOMPARE(display.frameOf(main.window).topLeft(), mainFrame.topLeft());
            program.proceed();
        };
        CHECKED(hover(QStringLiteral("Image2"), true));
        CHECKED(hover(QStringLiteral("Image1"), false));
        CHECKED(checkMainWindowStayed("the compact window"));
        QVERIFY(display.pressKey(QStringLiteral("F11")));
        QVERIFY(!program.nextPrinted(QStringLiteral("state Form1: ")).isEmpty());
        QVERIFY(display.pressKey(QStringLiteral("F11")));
        program.proceed();
        CHECKED(checkMainWindowStayed("projector mode"));
        CHECKED(checkMainWindowStayed("second login"));
        const test::DrivenRun run = program.finish();
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));
    }

    // Another program's slideshow fills the screen and has the keyboard; the draw window opened
    // before it stays above it, and two real clicks on its button call a student, recorded as
    // the main window records a call, while the slideshow keeps the focus and its keys.
    void drawWindowStaysOverASlideshow_data() {
        QTest::addColumn<QString>("windowManager");
        QTest::newRow("openbox") << QStringLiteral("openbox");
        QTest::newRow("metacity") << QStringLiteral("metacity"); // where it is installed
    }

    void drawWindowStaysOverASlideshow() {
        QFETCH(QString, windowManager);
        if (windowManager != QLatin1String("openbox") &&
            !test::ManagedDisplay::missingPrograms(windowManager).isEmpty())
            QSKIP("not installed here: this window manager is tried where it is");
        const QSize screen(1366, 768);
        test::ManagedDisplay display(screen, windowManager);
        QVERIFY2(display.problem().isEmpty(), qPrintable(display.problem()));
        test::TempDataFolder data;
        test::DrivenProgram program(
            data.path(),
            {QStringLiteral("click Form1/Command1"), QStringLiteral("type frmLogin/ComboUser demo"),
             QStringLiteral("type frmLogin/txtPassword demo1234"),
             QStringLiteral("click frmLogin/cmdOK"), QStringLiteral("choose Form1/Combo2 0"),
             QStringLiteral("click Form1/cmdOverlay"),
             QStringLiteral("where frmOverlay/cmdOverlayDraw"), QStringLiteral("wait"),
             QStringLiteral("print frmOverlay/LabelOverlayName"),
             QStringLiteral("print Form1/PendingCalls"), QStringLiteral("close Form1")},
            {}, {}, display.environment());
        const Printed button =
            parsePrinted(program.nextPrinted(QStringLiteral("where frmOverlay/cmdOverlayDraw: ")));
        QVERIFY(button.window != 0);

        QProcess slideshow;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(display.environment());
        environment.insert(QString::fromLatin1(SlideshowVariable), QStringLiteral("1"));
        slideshow.setProcessEnvironment(environment);
        slideshow.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(slideshow.waitForReadyRead(30000));
        const XWindow slides =
            test::windowId(QString::fromLatin1(slideshow.readLine()).section(u' ', 1).trimmed());
        QVERIFY(slides != 0);
        QTRY_COMPARE_WITH_TIMEOUT(display.activeWindow(), slides, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(display.frameOf(slides), QRect(QPoint(), screen), 10000);
        const auto overlayAbove = [&] {
            const QList<XWindow> stacking = display.stacking();
            return stacking.indexOf(button.window) > stacking.indexOf(slides);
        };
        QTRY_VERIFY_WITH_TIMEOUT(overlayAbove(), 5000);

        const QPoint at = display.insideOf(button.window).topLeft() + button.widget.center();
        QVERIFY(display.clickAt(at));
        QTest::qWait(300);
        QVERIFY(display.clickAt(at));
        QTest::qWait(300);
        QCOMPARE(display.activeWindow(), slides);
        QVERIFY2(overlayAbove(), qPrintable(describe(display.stacking())));
        QVERIFY(display.pressKey(QStringLiteral("Next")));
        QVERIFY(slideshow.waitForReadyRead(10000));
        QCOMPARE(slideshow.readLine().trimmed(), QByteArray("key PgDown"));
        saveScreen(display, QStringLiteral("wm_overlay_over_slideshow_1366_") + windowManager);
        program.proceed();

        const test::DrivenRun run = program.finish();
        slideshow.kill();
        slideshow.waitForFinished();
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));
        const QString called = run.printed(QStringLiteral("frmOverlay/LabelOverlayName"));
        QVERIFY2(!called.isEmpty() && called.size() <= 4, qPrintable(called));
        QCOMPARE(run.printed(QStringLiteral("Form1/PendingCalls")),
                 QStringLiteral("点名待上传：1次"));
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(SlideshowVariable))
        return showSlideshow(argc, argv);
    QApplication app(argc, argv);
    WindowsUnderWmTest test;
    return test::resultOrSkipped(QTest::qExec(&test, argc, argv));
}

#include "tst_windows_under_wm.moc"
