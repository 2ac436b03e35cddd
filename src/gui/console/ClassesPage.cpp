// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassesPage.h"

#include "console/ConsoleWidgets.h"
#include "net/ServiceEndpoints.h"

#include <QLabel>
#include <QListWidget>

namespace ordalis {

ClassesPage::ClassesPage(ConsoleActions& actions, QWidget* parent)
    : NameListPage(1, QStringLiteral("班级管理"),
                   {QStringLiteral("List2"), QStringLiteral("Text5"), QStringLiteral("Label55"),
                    QStringLiteral("增加班级请输入后点击添加按钮"), QStringLiteral("Command10"),
                    QStringLiteral("Command9"), QStringLiteral("Command4"),
                    QStringLiteral("Label6"),
                    QStringLiteral("[警告]删除班级时，同时清除学生信息和计分信息！"),
                    QStringLiteral("Frame2"), QStringLiteral("班级改名"), QStringLiteral("Label25"),
                    QStringLiteral("Text12"), QStringLiteral("Label26"), QStringLiteral("Text13"),
                    QStringLiteral("Command18"), QStringLiteral("Command19")},
                   {QStringLiteral("没有需要添加的班级！"), QStringLiteral("个班级！"),
                    QStringLiteral("个班级名称已存在，被忽略！")},
                   actions, parent) {}

void ClassesPage::enter(const QStringList& classes, const QStringList&) {
    list()->clear();
    list()->addItems(classes);
    console::resetStatus(status());
}

Expected<> ClassesPage::sendList(const QStringList& names) {
    return m_actions.service().setClasses(m_actions.operationPassword(), names);
}

Expected<> ClassesPage::sendRename(const QString& oldName, const QString& newName) {
    return m_actions.service().renameClass(m_actions.operationPassword(), oldName, newName);
}

void ClassesPage::deleteSelected() {
    if (!m_actions.guard())
        return;
    const QStringList removed = ConsoleActions::removeSelected(list());
    if (removed.isEmpty()) {
        status()->setText(QStringLiteral("请选择需要删除的班级，然后点击删除按钮！"));
        return;
    }
    if (save(removed))
        status()->setText(
            m_actions.withRestoreNote(QStringLiteral("已成功删除%1个班级！").arg(removed.size())));
}

} // namespace ordalis
