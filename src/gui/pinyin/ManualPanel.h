// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual panel Frame6: a tab strip over the draw categories (four at a time, double-click
// calls a student) and the groups page with the sixteen group lists.

#include <QWidget>
#include <array>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;

namespace ordalis {

class GroupList;
class TwipsPlacer;

class ManualPanel : public QWidget {
    Q_OBJECT
public:
    explicit ManualPanel(QWidget* parent = nullptr);

    void placeDesigned(const TwipsPlacer& placer, QSize twipsSize);
    // Category frames on the first three tabs, group lists on the fourth.
    void showCategoryFrames(bool shown);

    QTabBar* TabStrip1;
    std::array<QGroupBox*, 4> Frame_m;
    std::array<QListWidget*, 4> List_manual;
    std::array<GroupList*, 16> List_group;
    QLineEdit* Text11;      // the operation password, mirrored with the upload panel's
    QPushButton* Command29; // 上传分组信息
    QPushButton* Command24; // 返回
};

} // namespace ordalis
