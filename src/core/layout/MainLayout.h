// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's layout rules, in twips: the split between the name board and the
// standards list, the limits of the splitter bar, the name's font fitting and centring, the
// compact and full window sizes, a window made larger than designed, and the quick-pick
// list's place.

#include <QSize>

namespace ordalis::layout {

constexpr int MinLeftPane = 2800;  // the bar must stand right of this (strictly)
constexpr int MinRightPane = 1400; // and leave at least this much on its right
constexpr int MaxNameFontPoints = 70;
constexpr int TwipsPerNameCharacter = 24;
constexpr QSize CompactWindow{700, 900};
constexpr int BoardTop = 120; // the name board's top edge

// The pieces of the left pane whose right edges follow the bar.
struct LeftPane {
    int boardLeft = 0;
    int nameLeft = 0;
    int topicLeft = 0;
};

struct SplitGeometry {
    int boardWidth = 0;
    int nameWidth = 0;
    int topicWidth = 0;
    int listLeft = 0; // the standards list
    int listWidth = 0;
};

// With the standards list shown: the left pane ends at the bar, the list fills the rest.
SplitGeometry splitLayout(const LeftPane& pane, int barLeft, int barWidth, int innerWidth);
// Without standards: the left pane takes the window's width. The board and the topic box end
// one margin inside the window's right edge and the name as far inside the board as it starts,
// so every edge stays inside the window whatever the pane's left edges.
SplitGeometry singlePaneLayout(const LeftPane& pane, int innerWidth);

// Whether the bar may move to the proposed left edge.
bool acceptBarPosition(double proposedLeft, int innerWidth);

// The name display's font size in points for a box width and a name length; an empty name
// keeps the current size. Never above the cap.
int fitNameFont(int boxWidth, int nameLength, int currentPoints, int cap = MaxNameFontPoints);
// Top of the name so that it stands centred over the board.
int centredNameTop(int boardTop, int boardHeight, int nameHeight);

// The whole window, grown from the draw panel's designed size.
QSize fullWindowSize(QSize drawPanel, int debugWidth = 0);

// A window larger than its designed size (maximised, or enlarged by hand): how much wider and
// higher it is. The board, the name and the standards list take the extra room; the rows below
// the board move down with the window's bottom edge. Never below zero: a smaller window keeps
// the designed places.
struct Growth {
    int width = 0;
    int height = 0;
    bool operator==(const Growth& other) const {
        return width == other.width && height == other.height;
    }
    bool operator!=(const Growth& other) const { return !(*this == other); }
};
Growth windowGrowth(QSize window, QSize designedWindow);
// The bar keeps its share of the window's inner width (its left edge over the width) when the
// width changes, within its limits.
double barPositionFor(double share, int innerWidth);
// The name's cap grows with the board's height: 70 points on the designed board.
int nameFontCap(int boardHeight, int designedBoardHeight);

// The quick-pick list stands left-aligned with the search box and grows upwards from just
// above it: one line per match up to eight, as many as fit in the room between the board's top
// and the search box (in any one unit); further matches scroll.
constexpr int QuickPickLeft = 200;
constexpr int QuickPickGap = 30; // between the list and the search box below it
constexpr int QuickPickMaxLines = 8;
int quickPickShownLines(int lineCount, int lineHeight, int room);

} // namespace ordalis::layout
