// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceListPage.h"

#include "common/RowTableModel.h"
#include "console/ConsoleWidgets.h"
#include "console/NameLists.h"
#include "wire/ReplyLines.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ordalis {

ServiceListPage::ServiceListPage(int index, const QString& caption, const Names& names,
                                 const Texts& texts, RowModel* model, ConsoleActions& actions,
                                 QWidget* parent)
    : ConsolePage(index, caption, actions, parent)
    , m_texts(texts)
    , m_prompt(names.prompt)
    , m_chooser(console::chooser(this, names.chooser, names.prompt))
    , m_model(model)
    , m_list(rowTable(this, names.list, model))
    , m_status(console::statusLabel(this, names.status, names.warning))
    , m_topRow(new QHBoxLayout) {
    QPushButton* selectAll = console::button(this, names.selectAll, QStringLiteral("全选"));
    QPushButton* invert = console::button(this, names.invert, QStringLiteral("反选"));
    QPushButton* remove = console::button(this, names.deleteButton, QStringLiteral("删除"));
    QPushButton* save = console::button(this, names.saveButton, QStringLiteral("保存到服务器"));
    // The chooser reads the service: it waits while another request does, like the buttons.
    actions.gate().guard({m_chooser, remove, save});
    model->setParent(this);

    m_topRow->addWidget(console::label(this, names.chooserLabel, names.chooserCaption));
    m_topRow->addWidget(m_chooser, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {selectAll, invert, remove, save})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addLayout(m_topRow);
    layout->addWidget(m_list, 1);
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
    m_model->setLines({});
    console::resetStatus(m_status);
}

void ServiceListPage::choose() {
    const QString choice = m_chooser->currentText();
    console::resetStatus(m_status);
    const QString reply = m_actions.read([&] { return fetch(choice); });
    m_model->setLines(replyLines(reply));
    m_pending.clear();
}

void ServiceListPage::deleteSelected() {
    if (!m_actions.guard())
        return;
    const QStringList shown = m_model->lines();
    QStringList ids;
    // From the last row up, so that the rows still to remove keep their place.
    for (int row = m_model->rowCount() - 1; row >= 0; --row) {
        if (!m_list->selectionModel()->isRowSelected(row))
            continue;
        ids << m_model->index(row, 0).data(RowModel::IdRole).toString();
        m_model->removeRow(row);
    }
    m_pending = console::deletionText(ids);
    if (ids.isEmpty()) {
        m_status->setText(m_texts.selectFirst);
        return;
    }
    if (sendPending([&] {
            choose();
            // Not deleted, the lines are still there: a list read empty is a read that failed
            // too, and the lines as last read are the best account of the service's.
            if (m_model->rowCount() == 0)
                m_model->setLines(shown);
            selectIds(ids);
        }))
        m_status->setText(m_actions.withRestoreNote(
            QStringLiteral("已删除%1%2").arg(ids.size()).arg(m_texts.deletedUnit)));
}

void ServiceListPage::selectIds(const QStringList& ids) {
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (ids.contains(m_model->index(row, 0).data(RowModel::IdRole).toString()))
            m_list->selectionModel()->select(m_model->index(row, 0), QItemSelectionModel::Select |
                                                                         QItemSelectionModel::Rows);
    }
}

bool ServiceListPage::sendPending(const std::function<void()>& showStored) {
    const QString pending = m_pending;
    return m_actions.request(
        [&] { return sendDeletions(pending); },
        m_actions.saveReply(m_status, ConsoleActions::RecordAfterSave::Shown, showStored));
}

} // namespace ordalis
