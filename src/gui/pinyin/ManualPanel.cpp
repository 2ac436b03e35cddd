// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManualPanel.h"

#include "common/EscapeKey.h"
#include "common/Look.h"
#include "groups/GroupList.h"
#include "layout/TwipsPlacer.h"

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

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    for (const QString& title : manualTabTitles())
        m_tabs->addTab(title);
    m_tabs->setExpanding(false);

    const auto callOnDoubleClick = [this](QListWidget* list) {
        connect(list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            if (item != nullptr)
                Q_EMIT studentChosen(item->text());
        });
    };
    for (int i = 0; i < CategoriesPerTab; ++i) {
        m_categoryFrames[i] = new QGroupBox(this);
        m_categoryFrames[i]->setObjectName(QStringLiteral("Frame_m_%1").arg(i));
        m_categoryLists[i] = new QListWidget(m_categoryFrames[i]);
        m_categoryLists[i]->setObjectName(QStringLiteral("List_manual_%1").arg(i));
        m_categoryLists[i]->setFont(look::font(13));
        auto* box = new QVBoxLayout(m_categoryFrames[i]);
        box->setContentsMargins(8, 8, 8, 8);
        box->addWidget(m_categoryLists[i]);
        callOnDoubleClick(m_categoryLists[i]);
    }
    for (int g = 0; g < GroupCount; ++g) {
        GroupList* list = new GroupList(g, this);
        list->setFont(look::font(12));
        list->setToolTip(groupName(g));
        list->hide();
        callOnDoubleClick(list);
        connect(list, &GroupList::pressed, this, &ManualPanel::groupEntryPressed);
        connect(list, &GroupList::dropped, this, &ManualPanel::groupEntryDropped);
        connect(list, &GroupList::dragEnded, this, &ManualPanel::groupDragEnded);
        m_groupLists[g] = list;
    }

    m_passwordBox = new QLineEdit(this);
    m_passwordBox->setObjectName(QStringLiteral("Text11"));
    m_passwordBox->setEchoMode(QLineEdit::Password);
    m_passwordBox->setPlaceholderText(QStringLiteral("操作密码"));
    m_passwordBox->hide();
    m_groupUploadButton = new QPushButton(QStringLiteral("上传分组信息"), this);
    m_groupUploadButton->setObjectName(QStringLiteral("Command29"));
    m_groupUploadButton->hide();
    m_backButton = new QPushButton(QStringLiteral("返回"), this);
    m_backButton->setObjectName(QStringLiteral("Command24"));

    connect(m_tabs, &QTabBar::tabBarClicked, this, &ManualPanel::tabChosen);
    connect(m_passwordBox, &QLineEdit::textChanged, this, &ManualPanel::operationPasswordEdited);
    connect(m_groupUploadButton, &QPushButton::clicked, this, &ManualPanel::groupUploadRequested);
    connect(m_backButton, &QPushButton::clicked, this, &ManualPanel::back);
    onEscape(this, [this] { Q_EMIT back(); });
}

void ManualPanel::placeDesigned(const TwipsPlacer& placer, QSize size) {
    resize(placer.pixels(size.width()), placer.pixels(size.height()));
    constexpr int margin = 120;
    constexpr int tabHeight = 480;
    constexpr int buttonHeight = 480;
    placer.place(m_tabs, QRect(margin, margin, 6000, tabHeight));
    const int contentTop = margin + tabHeight + 120;
    const int buttonsTop = size.height() - margin - buttonHeight;
    const int contentHeight = buttonsTop - 120 - contentTop;
    const int innerWidth = size.width() - 2 * margin;

    const int frameWidth = (innerWidth - 3 * 120) / 4;
    for (int i = 0; i < CategoriesPerTab; ++i)
        placer.place(m_categoryFrames[i],
                     QRect(margin + i * (frameWidth + 120), contentTop, frameWidth, contentHeight));

    // Two rows of eight: groups 0..7 above, 8..15 below.
    const int listWidth = (innerWidth - 7 * 90) / 8;
    const int listHeight = (contentHeight - 90) / 2;
    for (int g = 0; g < GroupCount; ++g)
        placer.place(m_groupLists[g],
                     QRect(margin + (g % 8) * (listWidth + 90),
                           contentTop + (g / 8) * (listHeight + 90), listWidth, listHeight));

    placer.place(m_passwordBox, QRect(margin, buttonsTop, 2400, buttonHeight));
    placer.place(m_groupUploadButton, QRect(margin + 2520, buttonsTop, 2200, buttonHeight));
    placer.place(m_backButton, QRect(size.width() - margin - 1400, buttonsTop, 1400, buttonHeight));
}

int ManualPanel::currentTab() const {
    return m_tabs->currentIndex();
}

void ManualPanel::showCategories(const ManualTabContents& contents) {
    m_passwordBox->hide();
    m_groupUploadButton->hide();
    showCategoryFrames(true);
    for (int i = 0; i < CategoriesPerTab; ++i) {
        m_categoryFrames[i]->setTitle(contents.captions[i]);
        m_categoryLists[i]->clear();
        m_categoryLists[i]->addItems(contents.names[i]);
    }
}

void ManualPanel::showGroups(bool unsent) {
    for (QListWidget* list : m_categoryLists)
        list->clear();
    m_passwordBox->hide();
    m_groupUploadButton->show();
    m_groupUploadButton->setEnabled(false);
    showCategoryFrames(false);
    if (unsent)
        offerGroupUpload();
}

void ManualPanel::showCategoryFrames(bool shown) {
    for (QGroupBox* frame : m_categoryFrames)
        frame->setVisible(shown);
    for (GroupList* list : m_groupLists)
        list->setVisible(!shown);
}

void ManualPanel::setGroup(int group, const QStringList& names) {
    QListWidget* list = m_groupLists.at(group);
    list->clear();
    list->addItems(names);
}

void ManualPanel::selectGroupEntry(int group, int row) {
    m_groupLists.at(group)->setCurrentRow(row);
}

void ManualPanel::offerGroupUpload() {
    m_groupUploadButton->setEnabled(true);
    m_passwordBox->show();
}

QString ManualPanel::operationPassword() const {
    return m_passwordBox->text();
}

void ManualPanel::setOperationPassword(const QString& password) {
    m_passwordBox->setText(password);
}

} // namespace ordalis
