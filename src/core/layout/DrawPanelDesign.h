// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The draw panel's designed rectangles, in twips, one per control, and the same rectangles in a
// window larger than designed. Down the left the two window-size pictures, the projector button,
// the button of the draw window that stays over a slideshow, and the speech button; the name board
// with the name on it, the splitter bar and the standards list; under the board the quick-pick box
// and the topic box; the fourteen category buttons in two rows of seven, and beside them how many
// students a draw calls; along the bottom the class box, the score box, the figures, the class
// timer and the four buttons that leave the lesson, which keep to the right edge.

#include "layout/MainLayout.h"

#include <QRect>
#include <QSize>
#include <array>

namespace ordalis::layout {

constexpr int DrawPanelCategoryButtons = 14; // the twelve draw categories, 手动, 轮流
constexpr int CategoryColumns = 7;
constexpr int CategoryGap = 120; // between two buttons, across and down

// The two rows of category buttons share this rectangle: equal buttons, left to right and the
// first row first.
constexpr std::array<QRect, DrawPanelCategoryButtons> categoryButtonGrid(QRect area) {
    constexpr int rows = (DrawPanelCategoryButtons + CategoryColumns - 1) / CategoryColumns;
    const int width = (area.width() - (CategoryColumns - 1) * CategoryGap) / CategoryColumns;
    const int height = (area.height() - (rows - 1) * CategoryGap) / rows;
    std::array<QRect, DrawPanelCategoryButtons> buttons;
    for (int i = 0; i < DrawPanelCategoryButtons; ++i)
        buttons[i] = QRect(area.x() + i % CategoryColumns * (width + CategoryGap),
                           area.y() + i / CategoryColumns * (height + CategoryGap), width, height);
    return buttons;
}

struct DrawPanelRects {
    QSize panel;
    QRect fullWindowPicture;
    QRect compactWindowPicture;
    QRect projectorButton;
    QRect overlayButton; // the small draw window over a slideshow
    QRect speechButton;
    QRect board;
    QRect name; // on the board, its top at the board's; centred over it once shown
    QRect bar;  // over the board's right margin
    QRect standards;
    QRect quickPickBox;
    QRect topicBox; // its right edge the board's
    QRect categoryArea;
    std::array<QRect, DrawPanelCategoryButtons> categories;
    QRect drawCountCaption; // 每次抽取, beside the first row
    QRect drawCount;        // beside the second row
    QRect classBox;
    QRect scoreBoxCaption; // 得分
    QRect scoreBox;
    QRect averageCaption; // 均分
    QRect averageScore;
    QRect countCaption; // 次数
    QRect scoredCount;
    QRect classTimer;
    QRect historyButton; // 记录
    QRect uploadButton;  // 上传
    QRect userButton;    // 用户
    QRect manageButton;  // 后台
};

namespace design {
constexpr int Row = 480;     // the height of a box or a button in a row of them
constexpr int Picture = 340; // the side of a picture or a tool button, five down the left
constexpr int PictureStep = Picture + CategoryGap;
constexpr int UnderBoard = 2400;
constexpr int Bottom = 4740;
constexpr int ExitWidth = 795;
constexpr QRect CategoryArea{200, 3000, 10260, 1560};
constexpr int DrawCountLeft = CategoryArea.right() + 1 + CategoryGap;
constexpr int DrawCountWidth = 1200;
constexpr int CategoryRow = (CategoryArea.height() - CategoryGap) / 2;
} // namespace design

constexpr DrawPanelRects DrawPanelDesign{
    .panel{12000, 5400},
    .fullWindowPicture{120, 120, design::Picture, design::Picture},
    .compactWindowPicture{120, 120 + design::PictureStep, design::Picture, design::Picture},
    .projectorButton{120, 120 + 2 * design::PictureStep, design::Picture, design::Picture},
    .overlayButton{120, 120 + 3 * design::PictureStep, design::Picture, design::Picture},
    .speechButton{120, 120 + 4 * design::PictureStep, design::Picture, design::Picture},
    .board{700, BoardTop, 7220, 2160},
    .name{760, BoardTop, 7130, 1500},
    .bar{7800, BoardTop, 90, 2160},
    .standards{8010, BoardTop, 3000, 2160},
    .quickPickBox{200, design::UnderBoard, 2080, design::Row},
    .topicBox{2400, design::UnderBoard, 5520, design::Row},
    .categoryArea = design::CategoryArea,
    .categories = categoryButtonGrid(design::CategoryArea),
    .drawCountCaption{design::DrawCountLeft, design::CategoryArea.y(), design::DrawCountWidth,
                      design::CategoryRow},
    .drawCount{design::DrawCountLeft, design::CategoryArea.bottom() + 1 - design::CategoryRow,
               design::DrawCountWidth, design::CategoryRow},
    .classBox{200, design::Bottom, 2000, design::Row},
    .scoreBoxCaption{2320, design::Bottom, 520, design::Row},
    .scoreBox{2840, design::Bottom, 1200, design::Row},
    .averageCaption{4200, design::Bottom, 520, design::Row},
    .averageScore{4720, design::Bottom, 760, design::Row},
    .countCaption{5560, design::Bottom, 520, design::Row},
    .scoredCount{6080, design::Bottom, 760, design::Row},
    .classTimer{6920, design::Bottom, 1100, design::Row},
    .historyButton{8240, design::Bottom, design::ExitWidth, design::Row},
    .uploadButton{9155, design::Bottom, design::ExitWidth, design::Row},
    .userButton{10070, design::Bottom, design::ExitWidth, design::Row},
    .manageButton{10985, design::Bottom, design::ExitWidth, design::Row},
};

// The panel in a window grown by `growth`: the board, the name, the bar and the standards take
// the extra room, the rows under the board move down with the bottom edge, the category rows
// widen with the window and the draw count and the four exit buttons keep to its right edge. The
// bar stands at its designed place (the splitter moves it), and the widths of the board, the name,
// the topic box and the standards are provisional: the split rules set them for the bar's place.
DrawPanelRects grownDrawPanel(const Growth& growth);

} // namespace ordalis::layout
