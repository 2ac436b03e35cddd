// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupsController.h"

#include "pinyin/ManualPanel.h"

namespace ordalis {

GroupsController::GroupsController(ManualPanel* panel, QObject* parent)
    : QObject(parent)
    , m_panel(panel) {
    setObjectName(QStringLiteral("groupsController"));
    connect(m_panel, &ManualPanel::groupEntryPressed, this, [this](int group, int row) {
        m_drag = {group, row};
    });
    connect(m_panel, &ManualPanel::groupEntryDropped, this, &GroupsController::onDropped);
    connect(m_panel, &ManualPanel::groupDragEnded, m_panel, &ManualPanel::offerGroupUpload);
}

void GroupsController::setGroups(const GroupLists& groups) {
    m_groups = groups;
    m_unsent = false;
    for (int g = 0; g < GroupCount; ++g)
        m_panel->setGroup(g, m_groups[g]);
}

void GroupsController::onDropped(int target, int row) {
    const GroupDrag drag = std::exchange(m_drag, {});
    const int selected = dropGroupEntry(m_groups, drag, target, row);
    if (selected < 0)
        return;
    m_unsent = true;
    m_panel->setGroup(drag.sourceList, m_groups[drag.sourceList]);
    if (target != drag.sourceList)
        m_panel->setGroup(target, m_groups[target]);
    m_panel->selectGroupEntry(target, selected);
}

} // namespace ordalis
