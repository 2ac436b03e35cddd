// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window in projector mode, in pixels of the full screen: the name on its board fills
// most of the screen, the standards list stands beside it when the topic has standards, and a
// bar of two rows along the bottom keeps the class, topic and score boxes, the draw count, the
// twelve category buttons with 轮流 and the mode's own buttons within reach. Every rectangle lies
// inside the window.

#include <QRect>
#include <QSize>
#include <array>

namespace ordalis::layout {

constexpr int ProjectorCategoryButtons = 13; // one per draw category, then 轮流

struct ProjectorGeometry {
    QRect board;
    QRect name;
    QRect standards; // empty without standards
    QRect classBox;
    QRect topicBox;
    QRect scoreBox;
    QRect drawCount;
    QRect speechButton;
    QRect projectorButton;
    std::array<QRect, ProjectorCategoryButtons> categories;
};

ProjectorGeometry projectorLayout(QSize window, bool withStandards);

// The name's font in points for a name box of that many pixels at that DPI: the designed rule
// (24 twips of width per character, at most 70 points in a 1500-twip high box) scaled to the
// box. An empty name keeps the current size.
int fitProjectorNameFont(QSize boxPixels, double dpi, int nameLength, int currentPoints);

} // namespace ordalis::layout
