// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Several names drawn at once on the name board: a grid of equal cells over the board, in as
// many columns as give the names the largest font, the last row centred. Every name takes the
// font of the longest, fitted to its cell by the width a single name is fitted by and by the
// height of a line of that font. In twips, for the designed, a larger and a projector's board.

#include <QList>
#include <QRect>
#include <QSize>

namespace ordalis::layout {

struct DrawnNamesGrid {
    QList<QRect> cells; // one per name, row by row, from the board's top left
    int points = 0;     // the names' font
};

DrawnNamesGrid drawnNamesGrid(QSize board, int count, int longestName);

} // namespace ordalis::layout
