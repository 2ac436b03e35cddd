// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupDrop.h"

namespace ordalis {

namespace {
bool isGroup(int list) {
    return list >= 0 && list < GroupCount;
}
} // namespace

int dropGroupEntry(GroupLists& lists, const GroupDrag& drag, int target, int position) {
    if (!isGroup(drag.sourceList) || !isGroup(target))
        return -1;
    QStringList& source = lists[drag.sourceList];
    QStringList& into = lists[target];
    if (drag.sourcePosition < 0 || drag.sourcePosition >= source.size())
        return -1;
    const QString name = source.at(drag.sourcePosition);
    if (name.isEmpty())
        return -1;

    if (position < 0 || position >= into.size()) {
        into.append(name);
        source.removeAt(drag.sourcePosition);
        return int(into.size()) - 1;
    }
    into.insert(position, name);
    // Within one list the insertion pushed a dragged entry at or below it one place down.
    const bool pushedDown = drag.sourceList == target && drag.sourcePosition >= position;
    source.removeAt(drag.sourcePosition + (pushedDown ? 1 : 0));
    return position;
}

} // namespace ordalis
