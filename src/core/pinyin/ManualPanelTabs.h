// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the manual panel's first three tabs show: four draw categories each, under captions of
// their own.

#include "record/DrawCategories.h"

#include <QStringList>
#include <array>

namespace ordalis {

constexpr int ManualTabCount = 4; // 常用, 次数, 难度, 分组
constexpr int GroupsTab = 3;      // the fourth tab, 分组
constexpr int CategoriesPerTab = 4;

QStringList manualTabTitles();
// The caption of a category on the manual panel ("曾经被点" .. "很难").
QString manualCategoryCaption(int category);

struct ManualTabContents {
    std::array<QString, CategoriesPerTab> captions;
    std::array<QStringList, CategoriesPerTab> names;
};

// Tab 0..2 (the first three): categories 4 × tab to 4 × tab + 3. On the first tab, the first
// frame shows everybody except the students who were never scored.
ManualTabContents manualTab(int tab, const std::array<QStringList, DrawCategoryCount>& kinds);

} // namespace ordalis
