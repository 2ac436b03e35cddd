// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassesPage.h"

#include "console/ConsoleWidgets.h"
#include "net/ServiceEndpoints.h"

#include <QLabel>
#include <QListWidget>

namespace ordalis {

ClassesPage::ClassesPage(ConsoleActions& actions, QWidget* parent)
    : NameListPage(1, QStringLiteral("班级管理"),
                   {.list = QStringLiteral("List2"),
                    .addBox = QStringLiteral("Text5"),
                    .addLabel = QStringLiteral("Label55"),
                    .addCaption = QStringLiteral("增加班级请输入后点击添加按钮"),
                    .addButton = QStringLiteral("Command10"),
                    .deleteButton = QStringLiteral("Command9"),
                    .saveButton = QStringLiteral("Command4"),
                    .status = QStringLiteral("Label6"),
                    .warning = QStringLiteral("[警告]删除班级时，同时清除学生信息和计分信息！"),
                    .renameBox = QStringLiteral("Frame2"),
                    .renameCaption = QStringLiteral("班级改名"),
                    .oldLabel = QStringLiteral("Label25"),
                    .oldBox = QStringLiteral("Text12"),
                    .newLabel = QStringLiteral("Label26"),
                    .newBox = QStringLiteral("Text13"),
                    .renameButton = QStringLiteral("Command18"),
                    .cancelButton = QStringLiteral("Command19")},
                   {.nothingToAdd = QStringLiteral("没有需要添加的班级！"),
                    .addedUnit = QStringLiteral("个班级！"),
                    .duplicatesText = QStringLiteral("个班级名称已存在，被忽略！")},
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
