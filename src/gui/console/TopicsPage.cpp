// SPDX-License-Identifier: GPL-3.0-or-later
#include "TopicsPage.h"

#include "console/ConsoleWidgets.h"
#include "net/ServiceEndpoints.h"
#include "session/Session.h"

#include <QLabel>
#include <QListWidget>

namespace ordalis {

TopicsPage::TopicsPage(ConsoleActions& actions, QWidget* parent)
    : NameListPage(5, QStringLiteral("课题管理"),
                   {.list = QStringLiteral("List4"),
                    .addBox = QStringLiteral("Text4"),
                    .addLabel = QStringLiteral("Label54"),
                    .addCaption = QStringLiteral("添加新课题："),
                    .addButton = QStringLiteral("Command26"),
                    .deleteButton = QStringLiteral("Command27"),
                    .saveButton = QStringLiteral("Command28"),
                    .status = QStringLiteral("Label34"),
                    .warning = QStringLiteral("[警告]删除课题不会改变已记录课题信息！"),
                    .renameBox = QStringLiteral("Frame5"),
                    .renameCaption = QStringLiteral("修改课题"),
                    .oldLabel = QStringLiteral("Label5"),
                    .oldBox = QStringLiteral("Text3"),
                    .newLabel = QStringLiteral("Label4"),
                    .newBox = QStringLiteral("Text2"),
                    .renameButton = QStringLiteral("Command25"),
                    .cancelButton = QStringLiteral("Command24")},
                   {.nothingToAdd = QStringLiteral("没有需要添加的课题！"),
                    .addedUnit = QStringLiteral("个课题！"),
                    .duplicatesText = QStringLiteral("个课题名称已存在，被忽略！")},
                   actions, parent) {}

void TopicsPage::enter(const QStringList&, const QStringList& topics) {
    list()->clear();
    list()->addItems(topics);
    console::resetStatus(status());
}

Expected<> TopicsPage::sendList(const QStringList& names) {
    return m_actions.service().setTopics(m_actions.operationPassword(), names);
}

Expected<> TopicsPage::sendRename(const QString& oldName, const QString& newName) {
    return m_actions.service().renameTopic(m_actions.operationPassword(), oldName, newName);
}

bool TopicsPage::renameAllowed(const QString& newName) {
    // Without a user, a new name or a password the button does nothing at all.
    if (m_actions.session().userName.isEmpty() || newName.isEmpty() ||
        m_actions.operationPassword().isEmpty())
        return false;
    return NameListPage::renameAllowed(newName);
}

void TopicsPage::add() {
    NameListPage::add();
    m_actions.showTopicStandards();
}

void TopicsPage::deleteSelected() {
    if (!m_actions.guard())
        return;
    const QStringList removed = ConsoleActions::removeSelected(list());
    // The list is saved even when nothing was selected.
    if (save(removed))
        status()->setText(removed.isEmpty()
                              ? QStringLiteral("请选择需要删除的课题，然后点击删除按钮！")
                              : m_actions.withRestoreNote(
                                    QStringLiteral("已成功删除%1个课题！").arg(removed.size())));
    m_actions.showTopicStandards();
}

} // namespace ordalis
