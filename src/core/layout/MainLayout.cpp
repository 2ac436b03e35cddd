// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainLayout.h"

#include <algorithm>

namespace ordalis::layout {

namespace {
constexpr int BoardMargin = 120; // between the board's (and topic box's) right edge and the bar
constexpr int NameMargin = 90;
constexpr int QuickPickLeft = 200;
constexpr int QuickPickBottom = 2370;
constexpr int QuickPickMinHeight = 600;
constexpr int QuickPickMaxHeight = 1650;
} // namespace

SplitGeometry splitLayout(const LeftPane& pane, int barLeft, int barWidth, int innerWidth) {
    SplitGeometry g;
    g.boardWidth = barLeft - pane.boardLeft + BoardMargin;
    g.nameWidth = barLeft - pane.nameLeft + NameMargin;
    g.topicWidth = barLeft - pane.topicLeft + BoardMargin;
    g.listLeft = barLeft + barWidth + BoardMargin;
    g.listWidth = innerWidth - g.listLeft;
    return g;
}

SplitGeometry singlePaneLayout(const LeftPane& pane, int innerWidth) {
    const int boardRight = innerWidth - BoardMargin;
    SplitGeometry g;
    g.boardWidth = boardRight - pane.boardLeft;
    g.nameWidth = boardRight - (pane.nameLeft - pane.boardLeft) - pane.nameLeft;
    g.topicWidth = boardRight - pane.topicLeft;
    return g;
}

bool acceptBarPosition(double proposedLeft, int innerWidth) {
    return proposedLeft > MinLeftPane && innerWidth - proposedLeft >= MinRightPane;
}

int fitNameFont(int boxWidth, int nameLength, int currentPoints) {
    int points = currentPoints;
    if (nameLength > 0)
        points = boxWidth / (nameLength * TwipsPerNameCharacter);
    return std::min(points, MaxNameFontPoints);
}

int centredNameTop(int boardTop, int boardHeight, int nameHeight) {
    return boardTop + (boardHeight - nameHeight) / 2;
}

QSize fullWindowSize(QSize drawPanel, int debugWidth) {
    return QSize(drawPanel.width() - 100 + debugWidth, drawPanel.height() + 600 + debugWidth);
}

QuickPickPlace quickPickListPlace(int lineCount) {
    const int height =
        std::clamp(lineCount * QuickPickLineHeight, QuickPickMinHeight, QuickPickMaxHeight);
    return {QuickPickLeft, QuickPickBottom - height, height};
}

} // namespace ordalis::layout
