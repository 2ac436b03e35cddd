// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 2, 学生管理: the students of one class, typed or imported (from a text file, or from a
// spreadsheet through a preview of its names), deleted,
// renamed and saved whole. Its buttons wait for a class to be chosen, so no save can send the
// chooser's prompt "班级" as a class name.

#include "console/NameListPage.h"

class QComboBox;

namespace ordalis {

class StudentsPage : public NameListPage {
    Q_OBJECT
public:
    StudentsPage(ConsoleActions& actions, QWidget* parent);

    void enter(const QStringList& classes, const QStringList& topics) override;

protected:
    Expected<> sendList(const QStringList& names) override;
    Expected<> sendRename(const QString& oldName, const QString& newName) override;
    ConsoleActions::RecordAfterSave recordAfterSave() const override {
        return ConsoleActions::RecordAfterSave::NotShown;
    }
    void refill() override { chooseClass(); }
    void deleteSelected() override;

private:
    void chooseClass();
    void import();
    void importSheet(const QString& fileName);
    void enableButtons(bool enabled);

    QComboBox* m_classes;
    QPushButton* m_import;
    QPushButton* m_selectAll;
    QPushButton* m_invert;
};

} // namespace ordalis
