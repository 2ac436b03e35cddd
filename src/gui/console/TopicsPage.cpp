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
                   {QStringLiteral("List4"), QStringLiteral("Text4"), QStringLiteral("Label54"),
                    QStringLiteral("添加新课题："), QStringLiteral("Command26"),
                    QStringLiteral("Command27"), QStringLiteral("Command28"),
                    QStringLiteral("Label34"),
                    QStringLiteral("[警告]删除课题不会改变已记录课题信息！"),
                    QStringLiteral("Frame5"), QStringLiteral("修改课题"), QStringLiteral("Label5"),
                    QStringLiteral("Text3"), QStringLiteral("Label4"), QStringLiteral("Text2"),
                    QStringLiteral("Command25"), QStringLiteral("Command24")},
                   {QStringLiteral("没有需要添加的课题！"), QStringLiteral("个课题！"),
                    QStringLiteral("个课题名称已存在，被忽略！")},
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
