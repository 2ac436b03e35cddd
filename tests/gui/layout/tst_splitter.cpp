// SPDX-License-Identifier: GPL-3.0-or-later
// The splitter bar on its own: drags with the left button only, the owner's veto and
// correction, the pointer of each orientation and the stored layout.

#include "layout/Splitter.h"

#include <QMouseEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace ordalis;

namespace {

void send(QWidget* bar, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), bar->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &event);
}

struct Host {
    QWidget parent;
    Splitter* bar = new Splitter(&parent);
    QList<double> proposed; // every position offered to the owner
    Host() {
        parent.resize(800, 300);
        bar->setGeometry(300, 0, 8, 300);
        QObject::connect(bar, &Splitter::beforeMove,
                         [this](bool&, double& position) { proposed << position; });
    }
    // Left press at x 4 inside the bar, then a move to x inside the bar's current frame.
    void drag(int dx, Qt::MouseButton button = Qt::LeftButton) {
        send(bar, QEvent::MouseButtonPress, QPoint(4, 10), button, button);
        send(bar, QEvent::MouseMove, QPoint(4 + dx, 10), Qt::NoButton, button);
        send(bar, QEvent::MouseButtonRelease, QPoint(4 + dx, 10), button, Qt::NoButton);
    }
};

} // namespace

class SplitterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leftDragMovesTheBarAndReports() {
        Host host;
        QSignalSpy moved(host.bar, &Splitter::moved);
        QSignalSpy down(host.bar, &Splitter::mousePressed);
        host.drag(50);
        QCOMPARE(host.bar->x(), 350);
        QCOMPARE(host.proposed, QList<double>{350.0});
        QCOMPARE(moved.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), 1);
    }

    void rightButtonDoesNotDrag() {
        Host host;
        QSignalSpy move(host.bar, &Splitter::mouseMoved);
        host.drag(50, Qt::RightButton);
        QCOMPARE(host.bar->x(), 300);
        QVERIFY(host.proposed.isEmpty());
        QCOMPARE(move.count(), 1);
        QCOMPARE(move.at(0).at(0).toInt(), 2);
    }

    void anOwnerCanVetoOrCorrect() {
        Host host;
        QSignalSpy moved(host.bar, &Splitter::moved);
        auto veto =
            connect(host.bar, &Splitter::beforeMove, [](bool& cancel, double&) { cancel = true; });
        host.drag(50);
        host.drag(-80);
        QCOMPARE(host.bar->x(), 300);
        QCOMPARE(moved.count(), 0);
        disconnect(veto);

        connect(host.bar, &Splitter::beforeMove,
                [](bool&, double& position) { position = std::min(position, 320.0); });
        host.drag(50);
        QCOMPARE(host.bar->x(), 320);
        QCOMPARE(moved.count(), 1);
    }

    void positionsAreInTheParentsUnits() {
        Host host;
        host.bar->setUnitsPerPixel(15); // twips at 96 dpi
        QCOMPARE(host.bar->position(), 4500.0);
        host.drag(10);
        QCOMPARE(host.proposed, QList<double>{4650.0});
        QCOMPARE(host.bar->x(), 310);
    }

    void lyingBarFollowsY() {
        Host host;
        host.bar->setOrientation(Splitter::Horizontal);
        host.bar->setGeometry(0, 100, 800, 8);
        QCOMPARE(host.bar->cursor().shape(), Qt::SizeVerCursor);
        send(host.bar, QEvent::MouseButtonPress, QPoint(10, 4), Qt::LeftButton, Qt::LeftButton);
        send(host.bar, QEvent::MouseMove, QPoint(10, 24), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(host.bar->y(), 120);
        QCOMPARE(host.bar->x(), 0);
        host.bar->setOrientation(7);
        QCOMPARE(host.bar->cursor().shape(), Qt::SizeHorCursor);
    }

    void clicksAreReported() {
        Host host;
        QSignalSpy click(host.bar, &Splitter::clicked);
        QSignalSpy dbl(host.bar, &Splitter::doubleClicked);
        QTest::mouseClick(host.bar, Qt::LeftButton, {}, QPoint(4, 10));
        QTest::mouseDClick(host.bar, Qt::LeftButton, {}, QPoint(4, 10));
        QVERIFY(click.count() >= 1);
        QCOMPARE(dbl.count(), 1);
    }

    void layoutIsStoredAndRead() {
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat);
        {
            Splitter defaults;
            QCOMPARE(defaults.orientation(), int(Splitter::Vertical));
            QCOMPARE(defaults.cursor().shape(), Qt::SizeHorCursor);
            defaults.writeLayout(store);
        }
        Splitter readBack;
        readBack.setOrientation(1);
        readBack.setBarEnabled(false);
        readBack.readLayout(store);
        QCOMPARE(readBack.orientation(), 2);
        QVERIFY(readBack.isBarEnabled());
        QCOMPARE(readBack.backColor(), Splitter::defaultBackColor());

        Splitter changed;
        QSignalSpy property(&changed, &Splitter::propertyChanged);
        changed.setOrientation(1);
        changed.setBackColor(Qt::darkCyan);
        changed.setBarEnabled(false);
        QCOMPARE(property.count(), 2);
        changed.writeLayout(store);
        Splitter again;
        again.readLayout(store);
        QCOMPARE(again.orientation(), 1);
        QCOMPARE(again.backColor(), QColor(Qt::darkCyan));
        QVERIFY(!again.isBarEnabled());

        QSettings empty(dir.filePath(QStringLiteral("none.ini")), QSettings::IniFormat);
        again.readLayout(empty);
        QCOMPARE(again.orientation(), 2);
        QVERIFY(again.isBarEnabled());
    }
};

QTEST_MAIN(SplitterTest)
#include "tst_splitter.moc"
