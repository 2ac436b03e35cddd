// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving a name between the sixteen group lists (or within one) by drag and drop.

#include "groups/GroupLists.h"

namespace ordalis {

struct GroupDrag {
    int sourceList = -1;
    int sourcePosition = -1;
};

// Drops the dragged name on list `target` before the entry at `position`, or below its last
// entry when `position` is -1. Returns the position of the entry to select in the target
// afterwards, or -1 when nothing moved (no name at the source position, a list outside 0..15).
int dropGroupEntry(GroupLists& lists, const GroupDrag& drag, int target, int position);

} // namespace ordalis
