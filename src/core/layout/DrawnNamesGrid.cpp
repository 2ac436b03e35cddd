// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawnNamesGrid.h"

#include "layout/MainLayout.h"

#include <algorithm>

namespace ordalis::layout {

namespace {

constexpr int BoardInset = 90;       // between the board's edges and the cells
constexpr int CellGap = 90;          // between two cells, across and down
constexpr int CellPadding = 60;      // inside a cell, around its name
constexpr int TwipsPerNameLine = 30; // a line of a name's font, per point: one and a half em

QSize cellSize(QSize area, int columns, int rows) {
    return QSize((area.width() - (columns - 1) * CellGap) / columns,
                 (area.height() - (rows - 1) * CellGap) / rows);
}

int fittedPoints(QSize cell, int longestName) {
    const int byWidth =
        (cell.width() - 2 * CellPadding) / (std::max(1, longestName) * TwipsPerNameCharacter);
    const int byHeight = (cell.height() - 2 * CellPadding) / TwipsPerNameLine;
    return std::max(0, std::min(byWidth, byHeight));
}

int rowsFor(int count, int columns) {
    return (count + columns - 1) / columns;
}

} // namespace

DrawnNamesGrid drawnNamesGrid(QSize board, int count, int longestName) {
    DrawnNamesGrid grid;
    if (count <= 0)
        return grid;
    const QSize area = board - QSize(2 * BoardInset, 2 * BoardInset);
    int columns = 1;
    grid.points = -1;
    for (int tried = 1; tried <= count; ++tried) {
        const int points = fittedPoints(cellSize(area, tried, rowsFor(count, tried)), longestName);
        if (points > grid.points) { // a tie keeps the fewer columns
            grid.points = points;
            columns = tried;
        }
    }
    const QSize cell = cellSize(area, columns, rowsFor(count, columns));
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        const int inRow = std::min(columns, count - row * columns);
        const int centring = (columns - inRow) * (cell.width() + CellGap) / 2;
        grid.cells << QRect(BoardInset + centring + i % columns * (cell.width() + CellGap),
                            BoardInset + row * (cell.height() + CellGap), cell.width(),
                            cell.height());
    }
    return grid;
}

} // namespace ordalis::layout
