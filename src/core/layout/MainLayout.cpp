// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainLayout.h"

#include <algorithm>
#include <cmath>

namespace ordalis::layout {

namespace {
constexpr int BoardMargin = 120; // between the board's (and topic box's) right edge and the bar
constexpr int NameMargin = 90;
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

int fitNameFont(int boxWidth, int nameLength, int currentPoints, int cap) {
    int points = currentPoints;
    if (nameLength > 0)
        points = boxWidth / (nameLength * TwipsPerNameCharacter);
    return std::min(points, cap);
}

int centredNameTop(int boardTop, int boardHeight, int nameHeight) {
    return boardTop + (boardHeight - nameHeight) / 2;
}

QSize fullWindowSize(QSize drawPanel, int debugWidth) {
    return QSize(drawPanel.width() - 100 + debugWidth, drawPanel.height() + 600 + debugWidth);
}

Growth windowGrowth(QSize window, QSize designedWindow) {
    return {std::max(0, window.width() - designedWindow.width()),
            std::max(0, window.height() - designedWindow.height())};
}

double barPositionFor(double share, int innerWidth) {
    const double lowest = MinLeftPane + 1;
    return std::clamp(std::round(share * innerWidth), lowest,
                      std::max(lowest, double(innerWidth - MinRightPane)));
}

int nameFontCap(int boardHeight, int designedBoardHeight) {
    if (designedBoardHeight <= 0 || boardHeight <= designedBoardHeight)
        return MaxNameFontPoints;
    return MaxNameFontPoints * boardHeight / designedBoardHeight;
}

int quickPickShownLines(int lineCount, int lineHeight, int room) {
    const int fitting = lineHeight > 0 ? room / lineHeight : 1;
    return std::clamp(std::min(lineCount, QuickPickMaxLines), 1, std::max(1, fitting));
}

} // namespace ordalis::layout
