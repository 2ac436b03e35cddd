// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sixteen groups of the chosen class on the manual panel's groups page: the lists shown
// from the model, a name moved by drag and drop, and the group upload offered afterwards.

#include "groups/GroupDrop.h"

#include <QObject>

namespace ordalis {

class ManualPanel;

class GroupsController : public QObject {
    Q_OBJECT

public:
    explicit GroupsController(ManualPanel* panel, QObject* parent = nullptr);

    const GroupLists& groups() const { return m_groups; }
    // The arrangement of the record: nothing left to upload.
    void setGroups(const GroupLists& groups);
    // A name was moved since the groups were set or last uploaded.
    bool hasUnsentArrangement() const { return m_unsent; }
    void arrangementSent() { m_unsent = false; }

private:
    void onDropped(int target, int row);

    ManualPanel* m_panel;
    GroupLists m_groups;
    GroupDrag m_drag;
    bool m_unsent = false;
};

} // namespace ordalis
