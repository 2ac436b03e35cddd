// SPDX-License-Identifier: GPL-3.0-or-later
// The draw window over a slideshow, clicked as a teacher clicks it: it draws and stops the main
// window's draw, whose call is recorded as any draw's; it says why when there is nothing to
// draw; it never takes the focus; it opens where it was put, unless that screen is gone.

#include "../MainWindowHarness.h"
#include "draw/DrawOverlay.h"
#include "wire/CallLine.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>

using namespace ordalis;
using namespace ordalis::test;

class DrawOverlayTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsForTheMainWindowWithoutTheFocus() {
        MainWindowHarness h;
        h.apply();
        DrawOverlay overlay(h.form->drawController(), h.form->drawPanel(),
                            h.data.filePath(QStringLiteral("settings.ini")));
        const Qt::WindowFlags flags = overlay.windowFlags();
        for (const Qt::WindowType flag :
             {Qt::Tool, Qt::WindowStaysOnTopHint, Qt::WindowDoesNotAcceptFocus})
            QVERIFY((flags & flag) == flag);
        QVERIFY(overlay.testAttribute(Qt::WA_ShowWithoutActivating));
        overlay.toggle(h.form.get());
        QVERIFY(overlay.isVisible());
        auto* draw = overlay.findChild<QPushButton*>(QStringLiteral("cmdOverlayDraw"));
        auto* name = overlay.findChild<QLabel*>(QStringLiteral("LabelOverlayName"));
        auto* categories = overlay.findChild<QComboBox*>(QStringLiteral("ComboOverlay"));
        for (QWidget* control : overlay.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QCOMPARE(control->focusPolicy() & Qt::ClickFocus, 0);

        QTest::mouseClick(draw, Qt::LeftButton); // no class yet
        QCOMPARE(name->text(), QStringLiteral("请先在主窗口选择班级"));
        QVERIFY(!h.form->drawController()->isRolling());

        h.chooseClass(QStringLiteral("一班"));
        QSignalSpy calls(h.form.get(), &MainWindow::callRecorded);
        categories->setCurrentIndex(NotYetCalled);
        QTest::mouseClick(draw, Qt::LeftButton);
        QVERIFY(h.form->drawController()->isRolling());
        QCOMPARE(draw->text(), QStringLiteral("暂停"));
        QCOMPARE(h.button(NotYetCalled)->text(), QStringLiteral("暂停"));
        QVERIFY(!categories->isEnabled());
        QVERIFY(QTest::qWaitFor([name] { return !name->text().isEmpty(); }, 2000));
        QTest::mouseClick(draw, Qt::LeftButton);
        QVERIFY(!h.form->drawController()->isRolling());
        QCOMPARE(draw->text(), QStringLiteral("抽取"));
        QCOMPARE(calls.count(), 1);
        const CallLine call = CallLine::fromText(calls.at(0).at(0).toString());
        QCOMPARE(call.student, name->text());
        QCOMPARE(call.student, h.nameDisplay()->text());
        QCOMPARE(call.how, drawButtonCaption(NotYetCalled));
        QCOMPARE(h.scoreable(), name->text()); // the score box scores the student called

        // A draw started in the main window shows here, on its category.
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        QCOMPARE(categories->currentIndex(), int(AllStudents));
        QCOMPARE(draw->text(), QStringLiteral("暂停"));
        QTest::mouseClick(draw, Qt::LeftButton);
        QCOMPARE(calls.count(), 2);
        saveScreenshot(&overlay, QStringLiteral("draw-overlay"));

        // 轮流 from either window, the other following.
        QTest::mouseClick(h.button(TurnButton), Qt::LeftButton);
        QCOMPARE(categories->currentText(), drawButtonCaption(TurnButton));
        QTest::mouseClick(draw, Qt::LeftButton);
        QTest::mouseClick(draw, Qt::LeftButton);
        QVERIFY(h.form->drawController()->isRolling());
        QCOMPARE(h.button(TurnButton)->text(), QStringLiteral("暂停"));
        QTest::mouseClick(draw, Qt::LeftButton);
        QCOMPARE(calls.count(), 4);
        QCOMPARE(CallLine::fromText(calls.at(3).at(0).toString()).how,
                 drawButtonCaption(TurnButton));

        // A draw of three shows all three.
        h.find<QSpinBox>(QStringLiteral("spnDrawCount"))->setValue(3);
        categories->setCurrentIndex(AllStudents);
        QTest::mouseClick(draw, Qt::LeftButton);
        QTest::mouseClick(draw, Qt::LeftButton);
        QCOMPARE(calls.count(), 7);
        for (qsizetype i = 4; i < 7; ++i)
            QVERIFY(
                name->text().contains(CallLine::fromText(calls.at(i).at(0).toString()).student));
    }

    // Put somewhere, it comes back there; put on a screen that is gone, it comes back at the
    // top right of the main window's screen, wholly on it.
    void opensWhereItWasPutOnAScreenThatExists() {
        MainWindowHarness h;
        const QString ini = h.data.filePath(QStringLiteral("settings.ini"));
        const QRect available = h.form->screen()->availableGeometry();
        QRect firstPlace;
        QRect put;
        {
            DrawOverlay overlay(h.form->drawController(), h.form->drawPanel(), ini);
            overlay.toggle(h.form.get());
            firstPlace = overlay.geometry();
            QVERIFY(available.contains(firstPlace));
            QVERIFY(available.right() - firstPlace.right() < 2 * firstPlace.width());
            overlay.move(available.topLeft() + QPoint(100, 200));
            put = overlay.geometry();
            overlay.toggle(h.form.get());
            QVERIFY(!overlay.isVisible());
        }
        const auto reopened = [&] {
            DrawOverlay overlay(h.form->drawController(), h.form->drawPanel(), ini);
            overlay.toggle(h.form.get());
            return overlay.geometry();
        };
        QCOMPARE(reopened(), put);
        QSettings(ini, QSettings::IniFormat)
            .setValue(QStringLiteral("DrawOverlay/Geometry"), QRect(-5000, -5000, 150, 90));
        QCOMPARE(reopened(), firstPlace);
    }
};

QTEST_MAIN(DrawOverlayTest)
#include "tst_draw_overlay.moc"
