// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManualPanel.h"

#include "common/Look.h"
#include "groups/GroupList.h"
#include "layout/TwipsPlacer.h"
#include "pinyin/ManualPanelTabs.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace ordalis {

ManualPanel::ManualPanel(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Frame6"));
    setAttribute(Qt::WA_StyledBackground);

    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    for (const QString& title : manualTabTitles())
        TabStrip1->addTab(title);
    TabStrip1->setExpanding(false);

    for (int i = 0; i < 4; ++i) {
        Frame_m[i] = new QGroupBox(this);
        Frame_m[i]->setObjectName(QStringLiteral("Frame_m_%1").arg(i));
        List_manual[i] = new QListWidget(Frame_m[i]);
        List_manual[i]->setObjectName(QStringLiteral("List_manual_%1").arg(i));
        List_manual[i]->setFont(look::font(13));
        auto* box = new QVBoxLayout(Frame_m[i]);
        box->setContentsMargins(8, 8, 8, 8);
        box->addWidget(List_manual[i]);
    }
    for (int g = 0; g < 16; ++g) {
        List_group[g] = new GroupList(g, this);
        List_group[g]->setFont(look::font(12));
        List_group[g]->setToolTip(QStringLiteral("第%1组").arg(g));
        List_group[g]->hide();
    }

    Text11 = new QLineEdit(this);
    Text11->setObjectName(QStringLiteral("Text11"));
    Text11->setEchoMode(QLineEdit::Password);
    Text11->setPlaceholderText(QStringLiteral("操作密码"));
    Text11->hide();
    Command29 = new QPushButton(QStringLiteral("上传分组信息"), this);
    Command29->setObjectName(QStringLiteral("Command29"));
    Command29->hide();
    Command24 = new QPushButton(QStringLiteral("返回"), this);
    Command24->setObjectName(QStringLiteral("Command24"));
}

void ManualPanel::placeDesigned(const TwipsPlacer& placer, QSize size) {
    resize(placer.pixels(size.width()), placer.pixels(size.height()));
    constexpr int margin = 120;
    constexpr int tabHeight = 480;
    constexpr int buttonHeight = 480;
    placer.place(TabStrip1, QRect(margin, margin, 6000, tabHeight));
    const int contentTop = margin + tabHeight + 120;
    const int buttonsTop = size.height() - margin - buttonHeight;
    const int contentHeight = buttonsTop - 120 - contentTop;
    const int innerWidth = size.width() - 2 * margin;

    const int frameWidth = (innerWidth - 3 * 120) / 4;
    for (int i = 0; i < 4; ++i)
        placer.place(Frame_m[i],
                     QRect(margin + i * (frameWidth + 120), contentTop, frameWidth, contentHeight));

    // Two rows of eight: groups 0..7 above, 8..15 below.
    const int listWidth = (innerWidth - 7 * 90) / 8;
    const int listHeight = (contentHeight - 90) / 2;
    for (int g = 0; g < 16; ++g)
        placer.place(List_group[g],
                     QRect(margin + (g % 8) * (listWidth + 90),
                           contentTop + (g / 8) * (listHeight + 90), listWidth, listHeight));

    placer.place(Text11, QRect(margin, buttonsTop, 2400, buttonHeight));
    placer.place(Command29, QRect(margin + 2520, buttonsTop, 2200, buttonHeight));
    placer.place(Command24, QRect(size.width() - margin - 1400, buttonsTop, 1400, buttonHeight));
}

void ManualPanel::showCategoryFrames(bool shown) {
    for (QGroupBox* frame : Frame_m)
        frame->setVisible(shown);
    for (GroupList* list : List_group)
        list->setVisible(!shown);
}

} // namespace ordalis
