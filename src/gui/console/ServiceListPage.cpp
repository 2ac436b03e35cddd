// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceListPage.h"

#include "console/ConsoleWidgets.h"
#include "console/FieldColumns.h"
#include "console/NameLists.h"
#include "console/ServiceLists.h"
#include "wire/ReplyLines.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {

ServiceListPage::ServiceListPage(int index, const QString& caption, const Names& names,
                                 const Texts& texts, ConsoleActions& actions, QWidget* parent)
    : ConsolePage(index, caption, actions, parent)
    , m_texts(texts)
    , m_lines(names.lines)
    , m_prompt(names.prompt)
    , m_chooser(console::chooser(this, names.chooser, names.prompt))
    , m_list(console::multiList(this, names.list))
    , m_status(console::statusLabel(this, names.status, names.warning))
    , m_topRow(new QHBoxLayout) {
    QPushButton* selectAll = console::button(this, names.selectAll, QStringLiteral("全选"));
    QPushButton* invert = console::button(this, names.invert, QStringLiteral("反选"));
    QPushButton* remove = console::button(this, names.deleteButton, QStringLiteral("删除"));
    QPushButton* save = console::button(this, names.saveButton, QStringLiteral("保存到服务器"));
    // The chooser reads the service: it waits while another request does, like the buttons.
    actions.gate().guard({m_chooser, remove, save});
    auto* columns = new FieldColumns(m_list, names.lines.columns, FieldColumns::Header::Shown);

    m_topRow->addWidget(console::label(this, names.chooserLabel, names.chooserCaption));
    m_topRow->addWidget(m_chooser, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {selectAll, invert, remove, save})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addLayout(m_topRow);
    // The header stands on the list, as a table's does.
    auto* table = new QVBoxLayout;
    table->setSpacing(0);
    if (columns->header() != nullptr)
        table->addWidget(columns->header());
    table->addWidget(m_list, 1);
    layout->addLayout(table, 1);
    layout->addLayout(buttons);

    connect(m_chooser, &QComboBox::activated, this, [this] { choose(); });
    connect(selectAll, &QPushButton::clicked, this, [this] { ConsoleActions::selectAll(m_list); });
    connect(invert, &QPushButton::clicked, this,
            [this] { ConsoleActions::invertSelection(m_list); });
    connect(remove, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(save, &QPushButton::clicked, this, [this] { sendPending({}); });
}

void ServiceListPage::reset(const QStringList& items) {
    console::refillChooser(m_chooser, items, m_prompt);
    m_list->clear();
    console::resetStatus(m_status);
}

void ServiceListPage::choose() {
    const QString choice = m_chooser->currentText();
    console::resetStatus(m_status);
    const QString reply = m_actions.read([&] { return fetch(choice); });
    m_list->clear();
    m_list->addItems(replyLines(reply));
    m_pending.clear();
}

void ServiceListPage::deleteSelected() {
    if (!m_actions.guard())
        return;
    const QStringList shown = ConsoleActions::lines(m_list);
    const QStringList removed = ConsoleActions::removeSelected(m_list);
    QStringList ids;
    for (const QString& line : removed)
        ids << m_lines.id(line);
    m_pending = console::deletionText(ids);
    if (ids.isEmpty()) {
        m_status->setText(m_texts.selectFirst);
        return;
    }
    if (sendPending([&] {
            choose();
            // Not deleted, the lines are still there: a list read empty is a read that failed
            // too, and the lines as last read are the best account of the service's.
            if (m_list->count() == 0)
                m_list->addItems(shown);
            ConsoleActions::selectLines(m_list, removed);
        }))
        m_status->setText(m_actions.withRestoreNote(
            QStringLiteral("已删除%1%2").arg(ids.size()).arg(m_texts.deletedUnit)));
}

bool ServiceListPage::sendPending(const std::function<void()>& showStored) {
    const QString pending = m_pending;
    return m_actions.request(
        [&] { return sendDeletions(pending); },
        m_actions.saveReply(m_status, ConsoleActions::RecordAfterSave::Shown, showStored));
}

} // namespace ordalis
