#pragma once
// The sorting of a class into the twelve draw categories and the sixteen group lists.

#include "TeacherRecord.h"

#include <array>

namespace ordalis {

constexpr int DrawCategoryCount = 12;
constexpr int GroupCount = 16;

// The sixteen group lists, each with its members in list order.
using GroupLists = std::array<QStringList, GroupCount>;

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

ClassSorting SortClass(const ClassRoster& roster);

// The group number of a group field: a whole number 0..15, or -1 for anything else.
int GroupNumber(QStringView field);

} // namespace ordalis
