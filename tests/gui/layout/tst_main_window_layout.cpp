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

} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowIsSizedFromTheDrawPanel() {
        Form1Harness h;
        const TwipsPlacer& p = h.form->placer();
        QCOMPARE(h.form->size(), QSize(p.pixels(11900), p.pixels(6000)));
    }

    void barDragIsLimitedAndLaysOut() {
        Form1Harness h;
        h.apply();
        const TwipsPlacer& p = h.form->placer();
        DrawPanel* d = h.d();
        Splitter* bar = d->Splitter1;
        const int start = bar->x();

        dragBarTo(bar, p, 2700); // left pane too narrow
        QCOMPARE(bar->x(), start);
        dragBarTo(bar, p, 11000); // right pane under 1400
        QCOMPARE(bar->x(), start);

        dragBarTo(bar, p, 6000);
        QCOMPARE(bar->x(), p.pixels(6000));
        const int b = int(bar->position());
        QCOMPARE(d->List1->x(), p.pixels(b + DrawPanel::BarWidth + 120));
        QCOMPARE(d->List1->x() + d->List1->width(), p.pixels(11900));
        QCOMPARE(d->Text13->width(), p.pixels(b - DrawPanel::BoardRect.x() + 120));
        QCOMPARE(d->Combo3->width(), p.pixels(b - DrawPanel::TopicLeft + 120));
    }

    void dragRefitsTheName() {
        Form1Harness h;
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QCOMPARE(h.drawFrom(AllStudents).size(), 2);
        QLineEdit* name = h.d()->Text2;
        QCOMPARE(name->font().pointSize(), 70);
        // A narrow board: the two-character name shrinks below the cap.
        dragBarTo(h.d()->Splitter1, h.form->placer(), 3000);
        const int width = int(h.form->placer().twipsOf(name->width()));
        QVERIFY(std::abs(name->font().pointSize() - width / 48) <= 1);
        QVERIFY(name->font().pointSize() < 70);
    }

    void compactFormAndBack() {
        Form1Harness h;
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        h.drawFrom(AllStudents);
        const QSize full = h.form->size();
        const TwipsPlacer& p = h.form->placer();
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(h.d()->Image2, &enter);
        QVERIFY(h.form->isCompact());
        QCOMPARE(h.form->size(), QSize(p.pixels(700), p.pixels(900)));
        QVERIFY(!h.d()->Text2->isVisible());
        QVERIFY(!h.d()->Text13->isVisible());
        QVERIFY(h.d()->Image1->isVisible());
        QVERIFY(h.d()->Image1->geometry().bottom() < h.form->height());
        h.saveScreenshot(h.form.get(), QStringLiteral("compact-form"));

        QCoreApplication::sendEvent(h.d()->Image1, &enter);
        QVERIFY(!h.form->isCompact());
        QCOMPARE(h.form->size(), full);
        QVERIFY(h.d()->Text2->isVisible());
        QVERIFY(h.d()->List1->isVisible());
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_main_window_layout.moc"
