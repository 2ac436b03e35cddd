// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout on real widgets: the bar's limits and what follows a drag, the
// compact form and the way back, in pixels converted from twips.

#include "../Form1Harness.h"

#include <QMouseEvent>

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

bool isControl(QWidget* widget) {
    return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
           qobject_cast<QLineEdit*>(widget) || qobject_cast<QFrame*>(widget) ||
           qobject_cast<Splitter*>(widget) || qobject_cast<QTabBar*>(widget);
}

// The visible controls of a window that reach past its right or bottom edge (the panels that
// hold them may be wider than the window).
QStringList controlsOutside(QWidget* window) {
    QStringList outside;
    const QRect inside = window->rect();
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->isWindow() || !control->isVisibleTo(window) || !isControl(control))
            continue;
        const QRect at(control->mapTo(window, QPoint()), control->size());
        if (!inside.contains(at))
            outside << control->objectName() + QStringLiteral(" %1,%2 %3x%4")
                                                   .arg(at.x())
                                                   .arg(at.y())
                                                   .arg(at.width())
                                                   .arg(at.height());
    }
    return outside;
}

} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowIsSizedFromTheDrawPanel() {
        Form1Harness h;
        const TwipsPlacer& p = h.placer();
        QCOMPARE(h.form->size(), QSize(p.pixels(11900), p.pixels(6000)));
    }

    // With and without standards (a topic without any takes the one-pane layout), every control
    // stays inside the window, so the topic box's arrow can be reached.
    void everyControlStaysInsideTheWindow() {
        Form1Harness h;
        QVERIFY2(controlsOutside(h.form.get()).isEmpty(),
                 qPrintable(controlsOutside(h.form.get()).join(u',')));
        h.apply();
        QVERIFY(h.standardsList()->isVisible());
        QVERIFY2(controlsOutside(h.form.get()).isEmpty(),
                 qPrintable(controlsOutside(h.form.get()).join(u',')));
        h.topicBox()->setCurrentIndex(1);
        Q_EMIT h.topicBox()->activated(1);
        QVERIFY(!h.standardsList()->isVisible());
        QVERIFY2(controlsOutside(h.form.get()).isEmpty(),
                 qPrintable(controlsOutside(h.form.get()).join(u',')));
    }

    void barDragIsLimitedAndLaysOut() {
        Form1Harness h;
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
        Form1Harness h;
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
        Form1Harness h;
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

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_main_window_layout.moc"
