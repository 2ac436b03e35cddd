// SPDX-License-Identifier: GPL-3.0-or-later
// Students called by hand: the quick-pick list under the search box, the manual panel's
// category lists and the groups page with its drag and drop.

#include "Form1.h"
#include "draw/DrawPanel.h"
#include "groups/GroupList.h"
#include "pinyin/ManualPanel.h"
#include "pinyin/ManualPanelTabs.h"
#include "pinyin/QuickPick.h"
#include "scoring/UploadPanel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace ordalis {

void Form1::filterQuickPick() {
    QListWidget* results = m_draw->List2;
    const QString typed = m_draw->txtManual->text();
    if (typed.isEmpty()) {
        results->hide();
        return;
    }
    const QString className = m_draw->Combo2->currentText();
    const QStringList lines =
        quickPickLines(m_pickIndex, typed, [this, &className](const QString& name) {
            return m_record.firstStudentLineFields(className, name);
        });
    results->clear();
    // Lines of 200 twips, the height the list grows by for each match.
    const int lineHeight = m_placer.pixels(layout::QuickPickLineHeight);
    for (const QString& line : lines)
        (new QListWidgetItem(line, results))->setSizeHint(QSize(0, lineHeight));
    if (lines.isEmpty()) {
        results->hide();
        return;
    }
    const layout::QuickPickPlace place = layout::quickPickListPlace(int(lines.size()));
    m_placer.place(results, QRect(place.left, place.top, 3600, place.height));
    results->show();
    results->raise();
}

bool Form1::onQuickPickKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
        filterQuickPick();
        if (m_draw->List2->count() > 0) {
            m_draw->List2->setFocus();
            m_draw->List2->setCurrentRow(0);
        }
        return true;
    case Qt::Key_Escape:
        m_draw->List2->hide();
        return true;
    default:
        return false;
    }
}

bool Form1::onResultListKey(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_draw->List2->hide();
        callFromQuickPick();
        return true;
    }
    if (key == Qt::Key_Escape) {
        m_draw->List2->hide();
        m_draw->txtManual->setFocus();
        return true;
    }
    return false;
}

void Form1::callFromQuickPick() {
    QListWidgetItem* line = m_draw->List2->currentItem();
    if (!line)
        return;
    callStudent(quickPickName(line->text()));
    m_engine.callByHand(m_newStu);
    m_draw->List2->hide();
    m_draw->List2->clear();
    showTopicStandards();
    m_draw->txtManual->clear();
    m_draw->Combo1->setFocus();
}

void Form1::onTab(int tab) {
    ManualPanel* m = m_manual;
    for (QListWidget* list : m->List_manual)
        list->clear();
    m->Text11->hide();
    m->Text11->setText(m_upload->Text4->text());
    m->Command29->hide();
    m_timer1->stop();

    if (tab == GroupsTab) {
        m->Command29->show();
        m->Command29->setEnabled(false);
        m->showCategoryFrames(false);
        return;
    }
    const ManualTabContents contents = manualTab(tab, m_engine.kinds());
    m->showCategoryFrames(true);
    for (int i = 0; i < CategoriesPerTab; ++i) {
        m->Frame_m[i]->setTitle(contents.captions[i]);
        m->List_manual[i]->addItems(contents.names[i]);
    }
}

void Form1::callFromPanel(QListWidgetItem* item) {
    if (!item)
        return;
    callStudent(item->text());
    showDrawPanel();
    showTopicStandards();
}

void Form1::fillGroupList(int group) {
    QListWidget* list = m_manual->List_group[group];
    list->clear();
    list->addItems(m_groups[group]);
}

void Form1::onGroupDropped(int target, int row) {
    const GroupDrag drag = m_drag;
    m_drag = {};
    const int selected = dropGroupEntry(m_groups, drag, target, row);
    if (selected < 0)
        return;
    fillGroupList(drag.sourceList);
    if (target != drag.sourceList)
        fillGroupList(target);
    m_manual->List_group[target]->setCurrentRow(selected);
}

void Form1::onGroupDragEnded() {
    m_manual->Command29->setEnabled(true);
    m_manual->Text11->show();
}

} // namespace ordalis
