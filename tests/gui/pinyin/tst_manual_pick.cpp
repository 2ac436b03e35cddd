// SPDX-License-Identifier: GPL-3.0-or-later
// Calling a student by hand: the quick-pick list, the manual panel's tabs and the groups page
// with its drag and drop.

#include "../MainWindowHarness.h"
#include "groups/GroupList.h"

#include <QMimeData>

using namespace ordalis;
using namespace ordalis::test;

namespace {

QStringList pickRecord() {
    return QStringList{QStringLiteral("Class_Is_Ready\t一班\t")}
           << QStringLiteral("[keti]\t函数\t回答正确\t5\t")
           << studentLine(QStringLiteral("一班"), QStringLiteral("张三丰"), 0, 0, 0)
           << studentLine(QStringLiteral("一班"), QStringLiteral("李明亮"), 0, 2, 3)
           << studentLine(QStringLiteral("一班"), QStringLiteral("李明"), 3, 4.5, 3)
           << studentLine(QStringLiteral("一班"), QStringLiteral("刘猛"), 3, 1, 1)
           << studentLine(QStringLiteral("一班"), QStringLiteral("王五"), 3, 3, 6);
}

// A drop on a group list's viewport at a point, carrying the given data.
void dropOn(GroupList* list, const QPoint& at, QMimeData* data) {
    QDragEnterEvent enter(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &move);
    QDropEvent drop(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
}

// A left click on an entry: the press that a drag starts from.
void pressEntry(GroupList* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

// What a drag from a group list carries.
void dropGroupEntryOn(GroupList* list, const QPoint& at) {
    QMimeData data;
    data.setData(GroupList::MimeType, "0");
    dropOn(list, at, &data);
}

} // namespace

class ManualPickTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quickPickListsMatchesWithFigures() {
        MainWindowHarness h(pickRecord());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QLineEdit* search = h.searchBox();
        QListWidget* results = h.resultList();
        search->setText(QStringLiteral("lm"));
        QVERIFY(results->isVisible());
        QCOMPARE(listTexts(results), (QStringList{QStringLiteral("刘猛\t[1次,1分]"),
                                                  QStringLiteral("李明\t[3次,4.5分]"),
                                                  QStringLiteral("李明亮\t[3次,2分]")}));
        // Three lines, standing just above the search box, left-aligned with it.
        const TwipsPlacer& p = h.placer();
        QCOMPARE(results->y() + results->height(), search->y() - p.pixels(30));
        QCOMPARE(results->x(), p.pixels(200));
        // Every line it grew by is in view.
        QVERIFY(results->viewport()->rect().contains(results->visualItemRect(results->item(2))));
        h.saveScreenshot(h.form.get(), QStringLiteral("quick-pick"));

        search->setText(QStringLiteral("李"));
        QCOMPARE(results->count(), 2);
        search->setText(QStringLiteral("Q"));
        QVERIFY(!results->isVisible());
        search->setText(QStringLiteral("Z"));
        QCOMPARE(results->count(), 1);
        QTest::keyClick(search, Qt::Key_Escape);
        QVERIFY(!results->isVisible());
        search->clear();
        QVERIFY(!results->isVisible());
    }

    void quickPickCallsWithTheKeyboard() {
        MainWindowHarness h(pickRecord());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QLineEdit* search = h.searchBox();
        QListWidget* results = h.resultList();
        search->setFocus();
        QTest::keyClicks(search, QStringLiteral("LM"));
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(results->currentRow(), 0);
        QTest::keyClick(results, Qt::Key_Down);
        QCOMPARE(results->currentItem()->text(), QStringLiteral("李明\t[3次,4.5分]"));
        QTest::keyClick(results, Qt::Key_Return);

        QCOMPARE(h.nameDisplay()->text(), QStringLiteral("李明"));
        QCOMPARE(h.scoreable(), QStringLiteral("李明"));
        QVERIFY(!results->isVisible());
        QCOMPARE(results->count(), 0);
        QVERIFY(search->text().isEmpty());
        QVERIFY(h.scoreBox()->isEnabled());
        QVERIFY(!h.engine().kind(NotYetCalled).contains(QStringLiteral("李明")));
        QCOMPARE(h.engine().kind(AlreadyCalled), QStringList{QStringLiteral("李明")});
        QCOMPARE(h.label("Label4")->text(), QStringLiteral("4.5"));

        // Escape in the result list calls nobody and hands the keys back to the search box.
        QTest::keyClicks(search, QStringLiteral("L"));
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(results, Qt::Key_Escape);
        QVERIFY(!results->isVisible());
        QCOMPARE(h.nameDisplay()->text(), QStringLiteral("李明"));
    }

    void manualPanelTabs() {
        MainWindowHarness h(pickRecord());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QTest::mouseClick(h.button(ManualButton), Qt::LeftButton);
        QVERIFY(h.m()->isVisible());
        QVERIFY(!h.d()->isVisible());
        QVERIFY(!h.form->statusBar()->isVisible());

        QTabBar* tabs = h.find<QTabBar>(QStringLiteral("TabStrip1"));
        const QStringList tabNames{
            QStringLiteral("manual-tab-common"), QStringLiteral("manual-tab-count"),
            QStringLiteral("manual-tab-difficulty"), QStringLiteral("manual-tab-groups")};
        for (int tab = 0; tab < 4; ++tab) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            QCOMPARE(tabs->currentIndex(), tab);
            h.saveScreenshot(h.form.get(), tabNames[tab]);
            if (tab == 0) {
                QCOMPARE(h.find<QGroupBox>(QStringLiteral("Frame_m_0"))->title(),
                         QStringLiteral("曾经被点"));
                // 张三丰 was never scored: absent from the first frame, present in the fourth.
                QCOMPARE(listTexts(h.list(QStringLiteral("List_manual_0"))),
                         (QStringList{QStringLiteral("李明亮"), QStringLiteral("李明"),
                                      QStringLiteral("刘猛"), QStringLiteral("王五")}));
                QCOMPARE(listTexts(h.list(QStringLiteral("List_manual_3"))),
                         QStringList{QStringLiteral("张三丰")});
            } else if (tab == 1) {
                QCOMPARE(h.find<QGroupBox>(QStringLiteral("Frame_m_3"))->title(),
                         QStringLiteral("很多"));
                QCOMPARE(listTexts(h.list(QStringLiteral("List_manual_3"))),
                         QStringList{QStringLiteral("王五")});
            } else if (tab == 2) {
                QCOMPARE(h.find<QGroupBox>(QStringLiteral("Frame_m_0"))->title(),
                         QStringLiteral("很易"));
                QCOMPARE(listTexts(h.list(QStringLiteral("List_manual_0"))),
                         QStringList{QStringLiteral("刘猛")});
            } else {
                QVERIFY(!h.find<QGroupBox>(QStringLiteral("Frame_m_0"))->isVisible());
                QVERIFY(h.groupList(15)->isVisible());
                QVERIFY(h.find<QPushButton>(QStringLiteral("Command29"))->isVisible());
                QVERIFY(!h.find<QPushButton>(QStringLiteral("Command29"))->isEnabled());
                QVERIFY(!h.find<QLineEdit>(QStringLiteral("Text11"))->isVisible());
            }
        }

        // A pick from a category list calls the student but moves him between no categories.
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QListWidget* everybody = h.list(QStringLiteral("List_manual_0"));
        QListWidgetItem* item = everybody->item(1);
        everybody->setCurrentItem(item);
        Q_EMIT everybody->itemDoubleClicked(item);
        QCOMPARE(h.nameDisplay()->text(), QStringLiteral("李明"));
        QCOMPARE(h.scoreable(), QStringLiteral("李明"));
        QVERIFY(h.d()->isVisible());
        QVERIFY(!h.m()->isVisible());
        QVERIFY(h.form->statusBar()->isVisible());
        QVERIFY(h.engine().kind(NotYetCalled).contains(QStringLiteral("李明")));
        QVERIFY(h.engine().kind(AlreadyCalled).isEmpty());
    }

    void openingThePanelPausesARollingDraw() {
        MainWindowHarness h(pickRecord());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        QTRY_VERIFY(!h.nameDisplay()->text().isEmpty());
        QTest::mouseClick(h.button(ManualButton), Qt::LeftButton);
        QVERIFY(!h.rollTimer()->isActive());
        QTest::mouseClick(h.find<QPushButton>(QStringLiteral("Command24")), Qt::LeftButton);
        QVERIFY(h.d()->isVisible());
        QCOMPARE(h.button(AllStudents)->text(), QStringLiteral("暂停"));
        QVERIFY(!h.button(NotYetCalled)->isEnabled());
        const QString shown = h.nameDisplay()->text();
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        QCOMPARE(h.button(AllStudents)->text(), QStringLiteral("所有"));
        QCOMPARE(h.scoreable(), shown);
        QCOMPARE(h.engine().kind(AlreadyCalled), QStringList{shown});

        // Escape leaves the panel as 返回 does.
        QTest::mouseClick(h.button(ManualButton), Qt::LeftButton);
        QVERIFY(h.m()->isVisible());
        QTest::keyClick(h.find<QTabBar>(QStringLiteral("TabStrip1")), Qt::Key_Escape);
        QVERIFY(!h.m()->isVisible());
        QVERIFY(h.d()->isVisible());
    }

    void groupsAreRearrangedByDragAndDrop() {
        MainWindowHarness h(pickRecord());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QTest::mouseClick(h.button(ManualButton), Qt::LeftButton);
        QTabBar* tabs = h.find<QTabBar>(QStringLiteral("TabStrip1"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(GroupsTab).center());
        GroupList* first = h.groupList(0);
        GroupList* fourth = h.groupList(3);
        QCOMPARE(listTexts(fourth), (QStringList{QStringLiteral("李明"), QStringLiteral("刘猛"),
                                                 QStringLiteral("王五")}));

        // Press 李明亮 in group 0 and drop him on the second entry of group 3.
        pressEntry(first, 1);
        dropGroupEntryOn(fourth, fourth->visualItemRect(fourth->item(1)).center());
        QCOMPARE(listTexts(fourth), (QStringList{QStringLiteral("李明"), QStringLiteral("李明亮"),
                                                 QStringLiteral("刘猛"), QStringLiteral("王五")}));
        QCOMPARE(listTexts(first), QStringList{QStringLiteral("张三丰")});
        QCOMPARE(fourth->currentRow(), 1);

        // Within a list: the first entry dropped on the third moves down before it.
        pressEntry(fourth, 0);
        dropGroupEntryOn(fourth, fourth->visualItemRect(fourth->item(2)).center());
        QCOMPARE(listTexts(fourth), (QStringList{QStringLiteral("李明亮"), QStringLiteral("李明"),
                                                 QStringLiteral("刘猛"), QStringLiteral("王五")}));

        // Below the last entry of an empty group: appended.
        GroupList* empty = h.groupList(9);
        pressEntry(fourth, 3);
        dropGroupEntryOn(empty, QPoint(5, 5));
        QCOMPARE(listTexts(empty), QStringList{QStringLiteral("王五")});
        QCOMPARE(fourth->count(), 3);
        QCOMPARE(h.form->groups()[9], QStringList{QStringLiteral("王五")});

        // Something dragged in from elsewhere is refused and moves nothing.
        pressEntry(fourth, 0);
        QMimeData foreign;
        foreign.setText(QStringLiteral("李明亮"));
        dropOn(empty, QPoint(5, 5), &foreign);
        QCOMPARE(listTexts(empty), QStringList{QStringLiteral("王五")});
        QCOMPARE(fourth->count(), 3);

        // The end of a drag makes the upload usable; the password is one in two places.
        Q_EMIT fourth->dragEnded(3);
        QVERIFY(h.find<QPushButton>(QStringLiteral("Command29"))->isEnabled());
        QVERIFY(h.find<QLineEdit>(QStringLiteral("Text11"))->isVisible());
        QTest::keyClicks(h.find<QLineEdit>(QStringLiteral("Text11")), QStringLiteral("secret"));
        QCOMPARE(h.find<QLineEdit>(QStringLiteral("Text4"))->text(), QStringLiteral("secret"));
        // Another tab and back: the unsent arrangement stays uploadable.
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(GroupsTab).center());
        QVERIFY(h.find<QPushButton>(QStringLiteral("Command29"))->isEnabled());
        QVERIFY(h.find<QLineEdit>(QStringLiteral("Text11"))->isVisible());

        // A double-click on a group entry calls that student.
        QListWidgetItem* item = empty->item(0);
        Q_EMIT empty->itemDoubleClicked(item);
        QCOMPARE(h.nameDisplay()->text(), QStringLiteral("王五"));
        QVERIFY(h.d()->isVisible());
        QCOMPARE(h.label("Label28")->text(), QStringLiteral("6"));
    }
};

QTEST_MAIN(ManualPickTest)
#include "tst_manual_pick.moc"
