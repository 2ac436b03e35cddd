// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShortcutsPage.h"

#include "console/ConsoleWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {

ShortcutsPage::ShortcutsPage(ConsoleActions& actions, QWidget* parent)
    : ConsolePage(4, QStringLiteral("快捷方式管理"), actions, parent) {
    const std::array<QString, shortcuts::Count> captions{QStringLiteral("桌面快捷方式"),
                                                         QStringLiteral("程序组快捷方式"),
                                                         QStringLiteral("开始菜单快捷方式")};
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < shortcuts::Count; ++i) {
        m_boxes[i] = new QCheckBox(captions[i], this);
        m_boxes[i]->setObjectName(QStringLiteral("ChkShortCut_%1").arg(i));
        layout->addWidget(m_boxes[i]);
        // Only a change runs: ticking a ticked box writes nothing.
        connect(m_boxes[i], &QCheckBox::toggled, this, [this, i](bool ticked) {
            if (!ticked) {
                shortcuts::remove(i);
                return;
            }
            shortcuts::create(i);
            if (shortcuts::OneMenuEntry && i != shortcuts::Desktop)
                m_boxes[otherMenuPlace(i)]->setChecked(false); // the entry moves here
        });
    }
    QPushButton* createAll =
        console::button(this, QStringLiteral("Command11"), QStringLiteral("创建所有"));
    QPushButton* removeAll =
        console::button(this, QStringLiteral("Command12"), QStringLiteral("删除所有"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(createAll);
    buttons->addWidget(removeAll);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();

    connect(createAll, &QPushButton::clicked, this, [this] { setAll(true); });
    connect(removeAll, &QPushButton::clicked, this, [this] { setAll(false); });
}

void ShortcutsPage::enter(const QStringList&, const QStringList&) {
    // A box stays ticked when its shortcut went away outside the program.
    for (int i = 0; i < shortcuts::Count; ++i) {
        if (shortcuts::exists(i))
            m_boxes[i]->setChecked(true);
    }
}

int ShortcutsPage::otherMenuPlace(int shortcut) {
    return shortcut == shortcuts::ProgramGroup ? shortcuts::ApplicationsMenu
                                               : shortcuts::ProgramGroup;
}

void ShortcutsPage::setAll(bool ticked) {
    if (!ticked || !shortcuts::OneMenuEntry) {
        for (QCheckBox* box : m_boxes)
            box->setChecked(ticked);
        return;
    }
    // The one menu entry stays where it is, or goes directly into the menu.
    m_boxes[shortcuts::Desktop]->setChecked(true);
    if (!m_boxes[shortcuts::ProgramGroup]->isChecked())
        m_boxes[shortcuts::ApplicationsMenu]->setChecked(true);
}

} // namespace ordalis
