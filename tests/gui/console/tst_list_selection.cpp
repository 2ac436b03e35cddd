// SPDX-License-Identifier: GPL-3.0-or-later
// 全选 and 反选 of the console's lists, a name list and a table of rows alike: whole rows.

#include "common/RowTableModel.h"
#include "console/ConsoleActions.h"
#include "console/ServiceLists.h"

#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <memory>

using namespace ordalis;

class ListSelectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void selectAllAndInvert() {
        QListWidget names;
        names.setSelectionMode(QAbstractItemView::MultiSelection);
        names.addItems({"甲", "乙", "丙"});
        RowTableModel<console::StandardColumns> standards;
        standards.setLines({"1\ta\t1", "2\tb\t2", "3\tc\t3"});
        const std::unique_ptr<QTableView> table(
            rowTable(nullptr, QStringLiteral("List5"), &standards));
        for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(&names),
                                        static_cast<QAbstractItemView*>(table.get())}) {
            const auto selectedRows = [view] {
                QList<int> rows;
                for (const QModelIndex& index : view->selectionModel()->selectedRows())
                    rows << index.row();
                std::sort(rows.begin(), rows.end());
                return rows;
            };
            view->selectionModel()->select(view->model()->index(1, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            ConsoleActions::invertSelection(view);
            QCOMPARE(selectedRows(), (QList<int>{0, 2}));
            ConsoleActions::selectAll(view);
            QCOMPARE(selectedRows(), (QList<int>{0, 1, 2}));
        }
    }
};

QTEST_MAIN(ListSelectionTest)
#include "tst_list_selection.moc"
