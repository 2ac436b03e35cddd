// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 1, 班级管理: the teacher's classes, saved whole. Deleting a class also deletes its
// students and their scores on the service, as the warning says; nothing asks first.

#include "console/NameListPage.h"

namespace ordalis {

class ClassesPage : public NameListPage {
    Q_OBJECT
public:
    ClassesPage(ConsoleActions& actions, QWidget* parent);

    void enter(const QStringList& classes, const QStringList& topics) override;

protected:
    Expected<> sendList(const QStringList& names) override;
    Expected<> sendRename(const QString& oldName, const QString& newName) override;
    void deleteSelected() override;
};

} // namespace ordalis
