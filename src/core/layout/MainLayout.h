// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's layout rules, in twips: the split between the name board and the
// standards list, the limits of the splitter bar, the name's font fitting and centring, the
// compact and full window sizes and the quick-pick list's place.

#include <QSize>

namespace ordalis::layout {

constexpr int MinLeftPane = 2800;  // the bar must stand right of this (strictly)
constexpr int MinRightPane = 1400; // and leave at least this much on its right
constexpr int MaxNameFontPoints = 70;
constexpr int TwipsPerNameCharacter = 24;
constexpr QSize CompactWindow{700, 900};

// The pieces of the left pane whose right edges follow the bar.
struct LeftPane {
    int boardLeft = 0; // Text13
    int nameLeft = 0;  // Text2
    int topicLeft = 0; // Combo3
};

struct SplitGeometry {
    int boardWidth = 0;
    int nameWidth = 0;
    int topicWidth = 0;
    int listLeft = 0; // List1
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
int fitNameFont(int boxWidth, int nameLength, int currentPoints);
// Top of the name so that it stands centred over the board.
int centredNameTop(int boardTop, int boardHeight, int nameHeight);

// The whole window, grown from the draw panel's designed size.
QSize fullWindowSize(QSize drawPanel, int debugWidth = 0);

// The quick-pick list grows upwards from a fixed bottom line, 200 twips per line.
constexpr int QuickPickLineHeight = 200;
struct QuickPickPlace {
    int left = 0;
    int top = 0;
    int height = 0;
};
QuickPickPlace quickPickListPlace(int lineCount);

} // namespace ordalis::layout
