// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout on real widgets: the bar's limits and what follows a drag, the
// compact form and the way back, in pixels converted from twips.

#include "../MainWindowHarness.h"
#include "ProjectorScreens.h"

#include <QMouseEvent>
#include <QScreen>

using namespace ordalis;
using namespace ordalis::test;

namespace {

// Drags the bar so that its left edge is proposed at `twips`.
void dragBarTo(Splitter* bar, const TwipsPlacer& placer, int twips) {
    const QPointF grab(2, 10);
    const double dx = placer.pixels(twips) - bar->x();
    QMouseEvent press(QEvent::MouseButtonPress, grab, bar->mapToGlobal(grab), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &press);
    const QPointF to = grab + QPointF(dx, 0);
    QMouseEvent move(QEvent::MouseMove, to, bar->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, bar->mapToGlobal(to), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &release);
}

// The window stands on the screen of that size, where full screen takes the screen's size.
void moveToScreen(QWidget* window, QSize size) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->size() == size) {
            window->move(screen->geometry().topLeft() + QPoint(10, 10));
            return;
        }
    }
}

QString rectText(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowIsSizedFromTheDrawPanel() {
        MainWindowHarness h;
        const TwipsPlacer& p = h.placer();
        QCOMPARE(h.form->size(), QSize(p.pixels(11900), p.pixels(6000)));
    }

    // With and without standards (a topic without any takes the one-pane layout), in the
    // designed window and in projector mode on the two common projector screens, every control
    // stays inside the window, so the topic box's arrow can be reached.
    void everyControlStaysInsideTheWindow() {
        MainWindowHarness h;
        const auto expectInside = [&h](const QString& where) {
            const QStringList outside = controlsOutside(h.form.get());
            QVERIFY2(outside.isEmpty(), qPrintable(where + u' ' + outside.join(u',')));
        };
        expectInside(QStringLiteral("start"));
        h.apply();
        for (const int topic : {0, 1}) {
            h.topicBox()->setCurrentIndex(topic);
            Q_EMIT h.topicBox()->activated(topic);
            const bool split = topic == 0;
            QCOMPARE(h.standardsList()->isVisible(), split);
            expectInside(QStringLiteral("designed, topic %1").arg(topic));
            for (const QSize screen : {test::LaptopScreen, test::FullHdScreen}) {
                moveToScreen(h.form.get(), screen);
                QTest::keyClick(h.form.get(), Qt::Key_F11);
                QCOMPARE(h.form->size(), screen);
                QCOMPARE(h.standardsList()->isVisible(), split);
                expectInside(QStringLiteral("projector %1x%2, topic %3")
                                 .arg(screen.width())
                                 .arg(screen.height())
                                 .arg(topic));
                QTest::keyClick(h.form.get(), Qt::Key_F11);
            }
        }
    }

    // Projector mode fills the screen with the name and keeps the class, topic and category
    // buttons in a bar; F11 or Escape gives back the designed window exactly as it was.
    void projectorModeGivesTheDesignedWindowBack() {
        MainWindowHarness h;
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        h.drawFrom(AllStudents);
        moveToScreen(h.form.get(), test::LaptopScreen);
        const auto places = [&h] {
            QStringList all{QStringLiteral("window %1 %2")
                                .arg(rectText(h.form->geometry()))
                                .arg(h.nameDisplay()->font().pointSize())};
            for (const QWidget* w : h.form->findChildren<QWidget*>()) {
                if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"))
                    continue; // the parts of Qt's own widgets follow their owners
                all << w->objectName() + u' ' + rectText(w->geometry()) + u' ' +
                           w->font().toString() +
                           (w->isHidden() ? QStringLiteral(" hidden") : QString());
            }
            return all;
        };
        const QStringList designed = places();

        QTest::mouseClick(h.find<QPushButton>(QStringLiteral("cmdProjector")), Qt::LeftButton);
        QVERIFY(h.form->windowState() & Qt::WindowFullScreen);
        QCOMPARE(h.form->size(), test::LaptopScreen);
        QLineEdit* name = h.nameDisplay();
        QVERIFY(name->height() > h.form->height() / 2);
        QVERIFY(name->font().pointSize() > layout::MaxNameFontPoints);
        QVERIFY(h.standardsList()->isVisible());
        QVERIFY(h.standardsList()->x() >= name->x() + name->width());
        QVERIFY(h.classBox()->isVisible() && h.topicBox()->isVisible());
        for (int i = 0; i < DrawCategoryCount; ++i)
            QVERIFY(h.button(i)->isVisible());
        QVERIFY(h.button(TurnButton)->isVisible() && !h.button(ManualButton)->isVisible());
        QVERIFY(h.form->rect().contains(h.button(TurnButton)->geometry()));
        QVERIFY(h.button(TurnButton)->x() > h.button(DrawCategoryCount - 1)->x());
        QVERIFY(!h.searchBox()->isVisible());
        QVERIFY(!h.form->statusBar()->isVisible());
        // The compact form waits until projector mode is left.
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(h.label("Image2"), &enter);
        QVERIFY(!h.isCompact());

        // A draw started and stopped by the presenter's key while the projector shows it.
        QTest::keyClick(h.form.get(), Qt::Key_PageDown);
        QVERIFY(QTest::qWaitFor([&h] { return !h.nameDisplay()->text().isEmpty(); }, 2000));
        QTest::keyClick(h.form.get(), Qt::Key_PageDown);

        QTest::keyClick(h.form.get(), Qt::Key_Escape);
        QVERIFY(!(h.form->windowState() & Qt::WindowFullScreen));
        QCOMPARE(places(), designed);
        QTest::keyClick(h.form.get(), Qt::Key_F11);
        QVERIFY(h.form->windowState() & Qt::WindowFullScreen);
        QTest::keyClick(h.form.get(), Qt::Key_F11);
        QCOMPARE(places(), designed);
    }

    // The name is fitted to the projector's board, a long one as a short one.
    void projectorNameFitsTheBoard() {
        MainWindowHarness h(
            recordLines({{QStringLiteral("Class_Is_Ready"), QStringLiteral("长"),
                          QStringLiteral("短"), QString()}})
            << QStringLiteral("[keti]\t函数\t回答正确\t5\t回答错误\t1\t")
            << studentLine(QStringLiteral("长"), QStringLiteral("欧阳娜娜子明月清风"), 0, 0, 0)
            << studentLine(QStringLiteral("短"), QStringLiteral("李明"), 0, 0, 0));
        h.apply();
        moveToScreen(h.form.get(), test::FullHdScreen);
        QTest::keyClick(h.form.get(), Qt::Key_F11);
        QCOMPARE(h.form->size(), test::FullHdScreen);
        QLineEdit* name = h.nameDisplay();
        int longPoints = 0;
        for (const QString& className : {QStringLiteral("长"), QStringLiteral("短")}) {
            h.chooseClass(className);
            const QString called = h.drawFrom(AllStudents);
            QVERIFY(!called.isEmpty());
            const QFontMetrics metrics(name->font());
            QVERIFY2(metrics.horizontalAdvance(called) <= name->width(), qPrintable(called));
            QVERIFY(metrics.height() <= name->height());
            if (called.size() > 2)
                longPoints = name->font().pointSize();
            else
                QVERIFY(name->font().pointSize() > longPoints);
            h.saveScreenshot(h.form.get(), called.size() > 2
                                               ? QStringLiteral("projector-long-name")
                                               : QStringLiteral("projector-short-name"));
        }
    }

    void barDragIsLimitedAndLaysOut() {
        MainWindowHarness h;
        h.apply();
        const TwipsPlacer& p = h.placer();
        Splitter* bar = h.bar();
        QListWidget* standards = h.standardsList();
        const int start = bar->x();

        dragBarTo(bar, p, 2700); // left pane too narrow
        QCOMPARE(bar->x(), start);
        dragBarTo(bar, p, 11000); // right pane under 1400
        QCOMPARE(bar->x(), start);

        dragBarTo(bar, p, 6000);
        QCOMPARE(bar->x(), p.pixels(6000));
        const int b = int(bar->position());
        QCOMPARE(standards->x(), p.pixels(b + DrawPanel::BarWidth + 120));
        QCOMPARE(standards->x() + standards->width(), p.pixels(11900));
        QCOMPARE(h.find(QStringLiteral("Text13"))->width(),
                 p.pixels(b - DrawPanel::BoardRect.x() + 120));
        QCOMPARE(h.topicBox()->width(), p.pixels(b - DrawPanel::TopicLeft + 120));
    }

    void dragRefitsTheName() {
        MainWindowHarness h;
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QCOMPARE(h.drawFrom(AllStudents).size(), 2);
        QLineEdit* name = h.nameDisplay();
        QCOMPARE(name->font().pointSize(), 70);
        // A narrow board: the two-character name shrinks below the cap.
        dragBarTo(h.bar(), h.placer(), 3000);
        const int width = int(h.placer().twipsOf(name->width()));
        QVERIFY(std::abs(name->font().pointSize() - width / 48) <= 1);
        QVERIFY(name->font().pointSize() < 70);
    }

    void compactFormAndBack() {
        MainWindowHarness h;
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        h.drawFrom(AllStudents);
        const QSize full = h.form->size();
        const TwipsPlacer& p = h.placer();
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(h.label("Image2"), &enter);
        QVERIFY(h.isCompact());
        QCOMPARE(h.form->size(), QSize(p.pixels(700), p.pixels(900)));
        QVERIFY(!h.nameDisplay()->isVisible());
        QVERIFY(!h.find(QStringLiteral("Text13"))->isVisible());
        QVERIFY(h.label("Image1")->isVisible());
        QVERIFY(h.label("Image1")->geometry().bottom() < h.form->height());
        h.saveScreenshot(h.form.get(), QStringLiteral("compact-form"));

        QCoreApplication::sendEvent(h.label("Image1"), &enter);
        QVERIFY(!h.isCompact());
        QCOMPARE(h.form->size(), full);
        QVERIFY(h.nameDisplay()->isVisible());
        QVERIFY(h.standardsList()->isVisible());
    }
};

int main(int argc, char** argv) {
    if (!test::useOffscreenProjectorScreens())
        qWarning("projector screens unavailable: projector sizes follow the platform's screen");
    QApplication app(argc, argv);
    MainWindowLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_main_window_layout.moc"
