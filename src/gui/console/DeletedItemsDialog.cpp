// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeletedItemsDialog.h"

#include "console/ConsoleActions.h"
#include "console/ConsoleWidgets.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ordalis {

DeletedItemsDialog::DeletedItemsDialog(ConsoleActions& actions, QWidget* parent)
    : QDialog(parent)
    , m_actions(actions)
    , m_model(this)
    , m_view(new QTableView(this))
    , m_status(console::statusLabel(this, QStringLiteral("deletedStatus"), QString()))
    , m_restore(console::button(this, QStringLiteral("restoreChosen"), QStringLiteral("恢复"))) {
    setObjectName(QStringLiteral("deletedItems"));
    setWindowTitle(QStringLiteral("已删除"));
    m_view->setObjectName(QStringLiteral("deletedList"));
    m_view->setModel(&m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::MultiSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_view->horizontalHeader()->setSectionResizeMode(console::DeletedEntriesModel::Name,
                                                     QHeaderView::Stretch);
    QPushButton* close =
        console::button(this, QStringLiteral("closeDeleted"), QStringLiteral("关闭"));
    actions.gate().guard(m_restore);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_restore);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(console::label(
        this, QStringLiteral("deletedNote"),
        QStringLiteral("30天内删除的数据。选择后点“恢复”，连同一起删除的学生和计分一并恢复：")));
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(640, 360);

    connect(m_restore, &QPushButton::clicked, this, &DeletedItemsDialog::restoreChosen);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void DeletedItemsDialog::refresh() {
    const Session& session = m_actions.session();
    console::DeletedEntries list = QList<console::DeletedEntry>();
    m_actions.waitForRead(
        [&] { list = m_actions.hooks().deletions.list(session.userName, session.mp); });
    m_model.setEntries(list.valueOr({}));
    if (!list)
        m_status->setText(list.why());
    else if (list->isEmpty())
        m_status->setText(QStringLiteral("30天内没有删除的数据。"));
    else
        m_status->setText(QStringLiteral("共%1项。").arg(list->size()));
}

QList<qint64> DeletedItemsDialog::chosenIds() const {
    QList<qint64> ids;
    for (const QModelIndex& row : m_view->selectionModel()->selectedRows())
        ids << m_model.entry(row.row()).id;
    return ids;
}

void DeletedItemsDialog::choose(const QList<qint64>& ids) {
    for (int row = 0; row < m_model.rowCount(); ++row)
        if (ids.contains(m_model.entry(row).id))
            m_view->selectionModel()->select(m_model.index(row, 0), QItemSelectionModel::Select |
                                                                        QItemSelectionModel::Rows);
}

void DeletedItemsDialog::restoreChosen() {
    if (!m_actions.guard())
        return;
    const QList<qint64> ids = chosenIds();
    if (ids.isEmpty()) {
        m_status->setText(QStringLiteral("请选择需要恢复的数据！"));
        return;
    }
    const QString done = QStringLiteral("已恢复%1项！").arg(ids.size());
    const QString account = m_actions.session().userName;
    m_actions.request(
        [&] {
            return m_actions.hooks().deletions.restore(account, m_actions.operationPassword(), ids);
        },
        {.status = m_status,
         .successText = done,
         .refusalText = QStringLiteral("操作错误！"),
         .statusShowsReply = true,
         .beforeMessage =
             [&] {
                 m_actions.downloadAndApplyRecord();
                 refresh();
                 m_status->setText(done);
                 Q_EMIT restored();
             },
         .showStored =
             [&] {
                 refresh();
                 choose(ids);
             }});
}

} // namespace ordalis
