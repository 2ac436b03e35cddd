// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawPanelDesign.h"

namespace ordalis::layout {

DrawPanelRects grownDrawPanel(const Growth& growth) {
    const int dx = growth.width;
    const int dy = growth.height;
    DrawPanelRects g = DrawPanelDesign;
    g.panel += QSize(dx, dy);
    g.board.adjust(0, 0, dx, dy);
    g.name.adjust(0, 0, dx, 0);
    g.bar.adjust(0, 0, 0, dy);
    g.standards.adjust(0, 0, dx, dy);
    g.categoryArea.adjust(0, dy, dx, dy);
    g.categories = categoryButtonGrid(g.categoryArea);
    for (QRect* below :
         {&g.quickPickBox, &g.topicBox, &g.classBox, &g.scoreBoxCaption, &g.scoreBox,
          &g.averageCaption, &g.averageScore, &g.countCaption, &g.scoredCount, &g.classTimer})
        below->translate(0, dy);
    for (QRect* exit : {&g.drawCountCaption, &g.drawCount, &g.historyButton, &g.uploadButton,
                        &g.userButton, &g.manageButton})
        exit->translate(dx, dy);
    return g;
}

} // namespace ordalis::layout
