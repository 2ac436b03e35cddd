// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual panel: a tab strip over the draw categories (four at a time, double-click
// calls a student) and the groups page with the sixteen group lists, its operation password
// box and the group upload button.

#include "groups/GroupLists.h"
#include "pinyin/ManualPanelTabs.h"

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

    int currentTab() const;
    // One of the first three tabs: four categories in their frames.
    void showCategories(const ManualTabContents& contents);
    // The groups tab: the sixteen lists and a group upload that waits for a rearrangement.
    // unsent: an arrangement not uploaded yet, which the upload stays offered for.
    void showGroups(bool unsent);
    void setGroup(int group, const QStringList& names);
    void selectGroupEntry(int group, int row);
    // After a rearrangement: the password box and the group upload button are usable.
    void offerGroupUpload();

    // The operation password, one in two places with the upload panel's.
    QString operationPassword() const;
    void setOperationPassword(const QString& password);
    // The group upload sends data: the window's request gate holds it while a request waits.
    QPushButton* groupUploadButton() const { return m_groupUploadButton; }

Q_SIGNALS:
    void tabChosen(int tab);
    // A double-click on a student in a category or a group list.
    void studentChosen(const QString& name);
    void groupEntryPressed(int group, int row);
    void groupEntryDropped(int group, int row);
    void groupDragEnded();
    void operationPasswordEdited(const QString& password);
    void groupUploadRequested(); // 上传分组信息
    void back();                 // 返回

private:
    void showCategoryFrames(bool shown);

    QTabBar* m_tabs;
    std::array<QGroupBox*, CategoriesPerTab> m_categoryFrames;
    std::array<QListWidget*, CategoriesPerTab> m_categoryLists;
    std::array<GroupList*, GroupCount> m_groupLists;
    QLineEdit* m_passwordBox;
    QPushButton* m_groupUploadButton;
    QPushButton* m_backButton;
};

} // namespace ordalis
