// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 导入名单 (dlgRosterImport): the names a spreadsheet gives the class, shown before anything
// is sent: the sheet to take them from (cboSheet, when the workbook has several), the names
// with their count (lstImportNames, lblImportCount) and what is left out and why (lstLeftOut).
// 导入 hands the names to the page's add box; nothing goes to the service before 添加.

#include "sheets/RosterSheet.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace ordalis {

class RosterImportDialog : public QDialog {
    Q_OBJECT
public:
    // existing: the names the class's list holds already.
    RosterImportDialog(QList<sheets::Sheet> sheets, QStringList existing, QWidget* parent);

    const QStringList& names() const { return m_preview.names; }

private:
    void showSheet(int index);

    QList<sheets::Sheet> m_sheets;
    QStringList m_existing;
    sheets::RosterPreview m_preview;
    QComboBox* m_sheet;
    QLabel* m_count;
    QListWidget* m_names;
    QLabel* m_leftOutCount;
    QListWidget* m_leftOut;
    QPushButton* m_import;
};

} // namespace ordalis
