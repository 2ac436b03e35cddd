// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/MainLayout.h"
#include "layout/Twips.h"

#include <QtTest>

using namespace ordalis;
using namespace ordalis::layout;

class MainLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void barLimits_data() {
        QTest::addColumn<double>("position");
        QTest::addColumn<int>("innerWidth");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("at 2800 refused") << 2800.0 << 11900 << false;
        QTest::newRow("at 2801 accepted") << 2801.0 << 11900 << true;
        QTest::newRow("right pane exactly 1400") << 10500.0 << 11900 << true;
        QTest::newRow("right pane 1399") << 10501.0 << 11900 << false;
        QTest::newRow("2801 but too narrow a window") << 2801.0 << 4200 << false;
    }
    void barLimits() {
        QFETCH(double, position);
        QFETCH(int, innerWidth);
        QFETCH(bool, accepted);
        QCOMPARE(acceptBarPosition(position, innerWidth), accepted);
    }

    void nameFontFitting_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("points");
        QTest::newRow("2 characters in 4800: 100 capped") << 4800 << 2 << 30 << 70;
        QTest::newRow("10 characters in 4800") << 4800 << 10 << 70 << 20;
        QTest::newRow("4 characters in 4800") << 4800 << 4 << 70 << 50;
        QTest::newRow("1 character in 4800: 200 capped") << 4800 << 1 << 12 << 70;
        QTest::newRow("whole part only") << 4800 << 7 << 70 << 28;
        QTest::newRow("empty name keeps its size") << 4800 << 0 << 33 << 33;
        QTest::newRow("empty name still capped") << 4800 << 0 << 90 << 70;
    }
    void nameFontFitting() {
        QFETCH(int, width);
        QFETCH(int, length);
        QFETCH(int, current);
        QFETCH(int, points);
        QCOMPARE(fitNameFont(width, length, current), points);
    }

    void splitLayoutFollowsTheBar() {
        const LeftPane pane{700, 760, 2400};
        const SplitGeometry g = splitLayout(pane, 7800, 90, 11900);
        QCOMPARE(g.boardWidth, 7800 - 700 + 120);
        QCOMPARE(g.nameWidth, 7800 - 760 + 90);
        QCOMPARE(g.topicWidth, 7800 - 2400 + 120);
        QCOMPARE(g.listLeft, 7800 + 90 + 120);
        QCOMPARE(g.listWidth, 11900 - g.listLeft);
        // Board and topic box end together, just past the bar's left edge.
        QCOMPARE(pane.boardLeft + g.boardWidth, pane.topicLeft + g.topicWidth);
    }

    // The pane reaches one margin short of the window's right edge: no control runs past it
    // (the board, the topic box and the name keep their left edges).
    void singlePaneTakesTheWindow() {
        const LeftPane pane{700, 760, 2400};
        const SplitGeometry g = singlePaneLayout(pane, 11900);
        QCOMPARE(pane.boardLeft + g.boardWidth, 11780);
        QCOMPARE(pane.topicLeft + g.topicWidth, 11780);
        QCOMPARE(pane.nameLeft + g.nameWidth, 11720);
        QCOMPARE(g.nameWidth, 10960);
    }

    void nameIsCentredOnTheBoard() {
        QCOMPARE(centredNameTop(120, 2160, 1500), 120 + 330);
        QCOMPARE(centredNameTop(120, 2160, 1501), 120 + 329);
    }

    void windowSizes() {
        QCOMPARE(fullWindowSize(QSize(12000, 5400)), QSize(11900, 6000));
        QCOMPARE(fullWindowSize(QSize(12000, 5400), 300), QSize(12200, 6300));
        QCOMPARE(CompactWindow, QSize(700, 900));
    }

    // One line per match up to eight, never more than fit, always at least one.
    void quickPickListLines_data() {
        QTest::addColumn<int>("matches");
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("lines");
        QTest::newRow("one match") << 1 << 150 << 1;
        QTest::newRow("three in room for six") << 3 << 150 << 3;
        QTest::newRow("ten in room for six") << 10 << 150 << 6;
        QTest::newRow("ten in a tall window") << 10 << 900 << 8;
        QTest::newRow("no room still shows one") << 4 << 10 << 1;
    }
    void quickPickListLines() {
        QFETCH(int, matches);
        QFETCH(int, room);
        QFETCH(int, lines);
        QCOMPARE(quickPickShownLines(matches, 25, room), lines);
    }

    // A window larger than designed: the bar keeps its share, the name's cap follows the board.
    void largerWindow() {
        const QSize designed(11900, 6000);
        QCOMPARE(windowGrowth(QSize(28800, 15750), designed).width, 16900);
        QCOMPARE(windowGrowth(QSize(10000, 9000), designed).width, 0);
        QCOMPARE(windowGrowth(QSize(10000, 9000), designed).height, 3000);
        const double share = 7800.0 / 11900;
        QCOMPARE(barPositionFor(share, 11900), 7800.0);
        QCOMPARE(barPositionFor(share, 28800), 18877.0);
        QCOMPARE(barPositionFor(0.1, 11900), 2801.0);
        QCOMPARE(barPositionFor(0.99, 11900), 10500.0);
        QCOMPARE(nameFontCap(2160, 2160), 70);
        QCOMPARE(nameFontCap(1000, 2160), 70);
        QCOMPARE(nameFontCap(4320, 2160), 140);
        QCOMPARE(fitNameFont(18000, 2, 70, 140), 140);
    }

    void twipsFollowTheScreenDensity() {
        QCOMPARE(twips::toPixels(1440, 96), 96);
        QCOMPARE(twips::toPixels(1440, 192), 192);
        QCOMPARE(twips::toPixels(700, 96), 47);
        QCOMPARE(twips::fromPixels(96, 96), 1440.0);
    }
};

QTEST_GUILESS_MAIN(MainLayoutTest)
#include "tst_main_layout.moc"
