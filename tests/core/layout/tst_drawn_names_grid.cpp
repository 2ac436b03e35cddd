// SPDX-License-Identifier: GPL-3.0-or-later
// Several drawn names on the designed, a larger and a projector's board: one cell each, inside
// the board and apart, the names' font fitting every cell, and the grid that gives the largest.

#include "layout/DrawnNamesGrid.h"
#include "layout/MainLayout.h"

#include <QtTest>

using namespace ordalis::layout;

class DrawnNamesGridTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cellsInsideApartAndFitting() {
        // The designed board, a maximised one and the board of a 1366×768 projector with the
        // standards beside it (957×639 pixels at 96 dpi).
        for (const QSize board : {QSize(7220, 2160), QSize(24000, 9000), QSize(14355, 9585)}) {
            for (int count = 2; count <= 8; ++count) {
                for (const int longest : {2, 3, 4, 9}) {
                    const QString at = QStringLiteral("%1x%2 %3 of %4")
                                           .arg(board.width())
                                           .arg(board.height())
                                           .arg(count)
                                           .arg(longest);
                    const DrawnNamesGrid grid = drawnNamesGrid(board, count, longest);
                    QCOMPARE(grid.cells.size(), count);
                    QVERIFY2(grid.points >= 8, qPrintable(at));
                    for (int i = 0; i < count; ++i) {
                        const QRect& cell = grid.cells[i];
                        QVERIFY2(QRect(QPoint(), board).contains(cell), qPrintable(at));
                        QVERIFY2(longest * TwipsPerNameCharacter * grid.points <= cell.width(),
                                 qPrintable(at));
                        // A line of the font: one and a half em of 20 twips a point.
                        QVERIFY2(30 * grid.points <= cell.height(), qPrintable(at));
                        for (int j = i + 1; j < count; ++j)
                            QVERIFY2(!cell.intersects(grid.cells[j]), qPrintable(at));
                    }
                }
            }
        }
    }

    // Four three-letter names on the designed board stand two by two; of five, the two of the
    // second row stand centred under the three of the first.
    void theGridGivingTheLargestFont() {
        const QSize board(7220, 2160);
        const DrawnNamesGrid four = drawnNamesGrid(board, 4, 3);
        QCOMPARE(four.cells[1].top(), four.cells[0].top());
        QCOMPARE(four.cells[2].left(), four.cells[0].left());
        QVERIFY(four.cells[2].top() > four.cells[0].bottom());
        QCOMPARE(four.cells[3].top(), four.cells[2].top());
        const DrawnNamesGrid five = drawnNamesGrid(board, 5, 3);
        QCOMPARE(five.cells[2].top(), five.cells[0].top());
        QVERIFY(five.cells[3].top() > five.cells[0].bottom());
        QVERIFY(std::abs(five.cells[3].left() + five.cells[4].right() - board.width()) <= 4);
        QVERIFY(drawnNamesGrid(board, 0, 3).cells.isEmpty());
    }
};

QTEST_GUILESS_MAIN(DrawnNamesGridTest)
#include "tst_drawn_names_grid.moc"
