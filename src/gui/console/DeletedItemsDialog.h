// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 已删除 (deletedItems): what the teacher deleted in the last 30 days, kept by the service on
// this machine, in deletedList (类别, 名称, 所属, 删除时间, 计分). 恢复 (restoreChosen) brings
// the chosen rows back with what they took along, sent with the console's operation password
// like any change; the record is then read again and the main window shows it.

#include "console/DeletedEntries.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace ordalis {

class ConsoleActions;

class DeletedItemsDialog : public QDialog {
    Q_OBJECT
public:
    DeletedItemsDialog(ConsoleActions& actions, QWidget* parent);

    // The list read again from the service.
    void refresh();

Q_SIGNALS:
    void restored();

private:
    void restoreChosen();
    QList<qint64> chosenIds() const;
    void choose(const QList<qint64>& ids);

    ConsoleActions& m_actions;
    console::DeletedEntriesModel m_model;
    QTableView* m_view;
    QLabel* m_status;
    QPushButton* m_restore;
};

} // namespace ordalis
