// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sixteen group lists a class is arranged in, and the group field of a roster line.

#include <QStringList>
#include <array>

namespace ordalis {

constexpr int GroupCount = 16;

// The sixteen group lists, each with its members in list order.
using GroupLists = std::array<QStringList, GroupCount>;

// List 0 holds the students not put in any group: a student the service was never told a
// group of stands there, and a group upload leaves there those the teacher did not place.
constexpr int NoGroup = 0;

// 「未分组」 for list 0, 「第3组」 for the others.
QString groupName(int group);

// The group number of a group field: a whole number 0..15, or -1 for anything else.
int groupNumber(QStringView field);

} // namespace ordalis
