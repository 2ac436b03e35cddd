// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sixteen group lists a class is arranged in, and the group field of a roster line.

#include <QStringList>
#include <array>

namespace ordalis {

constexpr int GroupCount = 16;

// The sixteen group lists, each with its members in list order.
using GroupLists = std::array<QStringList, GroupCount>;

// The group number of a group field: a whole number 0..15, or -1 for anything else.
int groupNumber(QStringView field);

} // namespace ordalis
