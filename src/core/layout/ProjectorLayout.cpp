// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProjectorLayout.h"

#include "layout/MainLayout.h"
#include "layout/Twips.h"

#include <algorithm>

namespace ordalis::layout {

namespace {
constexpr double StandardsShare = 0.28;     // of the width, beside the name
constexpr double RowShare = 0.065;          // of the height, each of the bar's two rows
constexpr int MinRowHeight = 36;            // pixels
constexpr int DesignedNameBoxHeight = 1500; // twips, where the cap of 70 points holds
} // namespace

ProjectorGeometry projectorLayout(QSize window, bool withStandards) {
    const int width = window.width();
    const int height = window.height();
    const int margin = std::max(8, height / 80);
    const int gap = margin / 2;
    const int row = std::max(MinRowHeight, int(height * RowShare));

    ProjectorGeometry g;
    const int categoriesTop = height - margin - row;
    const int controlsTop = categoriesTop - gap - row;
    const int inner = width - 2 * margin;

    // The lower row: the twelve categories and 轮流 side by side.
    const int buttonWidth =
        (inner - (ProjectorCategoryButtons - 1) * gap) / ProjectorCategoryButtons;
    for (int i = 0; i < ProjectorCategoryButtons; ++i)
        g.categories[i] = QRect(margin + i * (buttonWidth + gap), categoriesTop, buttonWidth, row);

    // The upper row: class, topic, score and draw count from the left, the mode's buttons on
    // the right.
    const int squareWidth = row * 6 / 5;
    g.projectorButton = QRect(width - margin - squareWidth, controlsTop, squareWidth, row);
    g.speechButton = g.projectorButton.translated(-(squareWidth + gap), 0);
    int left = margin;
    const auto next = [&](double share) {
        const QRect box(left, controlsTop, int(inner * share), row);
        left = box.right() + 1 + gap;
        return box;
    };
    g.classBox = next(0.16);
    g.topicBox = next(0.30);
    g.scoreBox = next(0.10);
    g.drawCount = next(0.08);

    // The board fills what is above the bar; the standards take their share beside it.
    const int boardHeight = controlsTop - margin - margin;
    int boardWidth = inner;
    if (withStandards) {
        const int listWidth = int(width * StandardsShare);
        boardWidth = inner - listWidth - margin;
        g.standards = QRect(width - margin - listWidth, margin, listWidth, boardHeight);
    }
    g.board = QRect(margin, margin, boardWidth, boardHeight);
    g.name = g.board.adjusted(margin, margin, -margin, -margin);
    return g;
}

int fitProjectorNameFont(QSize boxPixels, double dpi, int nameLength, int currentPoints) {
    const int widthTwips = int(twips::fromPixels(boxPixels.width(), dpi));
    const int heightTwips = int(twips::fromPixels(boxPixels.height(), dpi));
    const int cap = MaxNameFontPoints * heightTwips / DesignedNameBoxHeight;
    if (nameLength <= 0)
        return std::min(currentPoints, cap);
    return std::min(widthTwips / (nameLength * TwipsPerNameCharacter), cap);
}

} // namespace ordalis::layout
