// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 5, 课题管理: the teacher's topics, saved whole. Deleting a topic leaves the scores
// recorded under it as they are.

#include "console/NameListPage.h"

namespace ordalis {

class TopicsPage : public NameListPage {
    Q_OBJECT
public:
    TopicsPage(ConsoleActions& actions, QWidget* parent);

    void enter(const QStringList& classes, const QStringList& topics) override;

protected:
    Expected<> sendList(const QStringList& names) override;
    Expected<> sendRename(const QString& oldName, const QString& newName) override;
    bool renameAllowed(const QString& newName) override;
    void add() override;
    void deleteSelected() override;
};

} // namespace ordalis
