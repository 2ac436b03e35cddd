// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sorting of a class into the twelve draw categories and the sixteen group lists.

#include "TeacherRecord.h"
#include "groups/GroupLists.h"

#include <array>

namespace ordalis {

constexpr int DrawCategoryCount = 12;
enum DrawCategory {
    AllStudents = 0,   // 所有
    NotYetCalled = 1,  // 未点
    AlreadyCalled = 2, // 已点
    NeverScored = 3,   // 从未
    // 4..7: how often scored (很少, 较少, 较多, 很多); 8..11: average score (较易 .. 很难)
};

struct ClassSorting {
    QString className;
    std::array<QStringList, DrawCategoryCount> kinds; // student names in roster order
    GroupLists groups;
    double mean = 0;
    double low = 0;
    double high = 0;
};

ClassSorting sortClass(const ClassRoster& roster);

} // namespace ordalis
