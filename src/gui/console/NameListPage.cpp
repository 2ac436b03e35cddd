// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameListPage.h"

#include "console/ConsoleWidgets.h"
#include "console/EditBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {

NameListPage::NameListPage(int index, const QString& caption, const Names& names,
                           const ConsoleActions::AddTexts& addTexts, ConsoleActions& actions,
                           QWidget* parent)
    : ConsolePage(index, caption, actions, parent)
    , m_addTexts(addTexts)
    , m_list(console::multiList(this, names.list))
    , m_addBox(console::addBox(this, names.addBox))
    , m_add(console::button(this, names.addButton, QStringLiteral("添加")))
    , m_delete(console::button(this, names.deleteButton, QStringLiteral("删除")))
    , m_save(console::button(this, names.saveButton, QStringLiteral("保存到服务器")))
    , m_status(console::statusLabel(this, names.status, names.warning))
    , m_renameBox(new EditBox(this, names.renameBox, names.renameCaption))
    , m_oldName(m_renameBox->addField(names.oldLabel, QStringLiteral("原名："), names.oldBox,
                                      EditBox::Field::ReadOnly))
    , m_newName(m_renameBox->addField(names.newLabel, QStringLiteral("新名："), names.newBox))
    , m_topRow(new QHBoxLayout)
    , m_listButtons(new QHBoxLayout)
    , m_addButtons(new QHBoxLayout) {
    m_renameBox->addButtons(names.renameButton, QStringLiteral("修改"), names.cancelButton);
    actions.gate().guard({m_add, m_delete, m_save, m_renameBox->confirmButton()});

    auto* listColumn = new QVBoxLayout;
    listColumn->addLayout(m_topRow);
    listColumn->addWidget(m_list, 1);
    m_listButtons->addWidget(m_delete);
    m_listButtons->addWidget(m_save);
    listColumn->addLayout(m_listButtons);

    auto* addColumn = new QVBoxLayout;
    addColumn->addWidget(console::label(this, names.addLabel, names.addCaption));
    addColumn->addWidget(m_addBox, 1);
    m_addButtons->addStretch();
    m_addButtons->addWidget(m_add);
    addColumn->addLayout(m_addButtons);

    auto* columns = new QHBoxLayout;
    columns->addLayout(listColumn, 3);
    columns->addLayout(addColumn, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addLayout(columns, 1);

    connect(m_add, &QPushButton::clicked, this, [this] { add(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_renameBox->open({item->text(), item->text()});
    });
    connect(m_renameBox->confirmButton(), &QPushButton::clicked, this, &NameListPage::rename);
}

void NameListPage::add() {
    m_actions.addFromBox(m_addBox, m_list, m_status, m_addTexts, [this] { return save(); });
}

bool NameListPage::save(const QStringList& reselect) {
    const QStringList names = ConsoleActions::lines(m_list);
    return m_actions.request([&] { return sendList(names); },
                             m_actions.saveReply(m_status, recordAfterSave(), [&] {
                                 // On a failure the record on disk stays the last one read.
                                 m_actions.downloadRecord();
                                 refill();
                                 ConsoleActions::selectLines(m_list, reselect);
                             }));
}

bool NameListPage::renameAllowed(const QString& newName) {
    return m_actions.namesFit({newName});
}

void NameListPage::rename() {
    const QString oldName = m_oldName->text();
    const QString newName = m_newName->text();
    if (!renameAllowed(newName))
        return;
    m_actions.request([&] { return sendRename(oldName, newName); },
                      {.status = m_status,
                       .successText = QStringLiteral("修改成功！"),
                       .refusalText = QStringLiteral("修改失败！"),
                       .beforeMessage =
                           [this] {
                               m_actions.downloadAndApplyRecord();
                               refill();
                           },
                       .afterMessage = [this] { m_renameBox->hide(); }});
}

} // namespace ordalis
