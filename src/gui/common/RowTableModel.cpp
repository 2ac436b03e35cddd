// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowTableModel.h"

#include <QHeaderView>
#include <QTableView>

namespace ordalis {

QStringList RowModel::lines() const {
    QStringList texts;
    for (int row = 0; row < rowCount(); ++row)
        texts << index(row, 0).data(LineRole).toString();
    return texts;
}

QTableView* rowTable(QWidget* parent, const QString& objectName, RowModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName(objectName);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::MultiSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 6);
    QHeaderView* columns = view->horizontalHeader();
    columns->setObjectName(objectName + QStringLiteral("Header"));
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(QHeaderView::ResizeToContents);
    columns->setStretchLastSection(true);
    return view;
}

} // namespace ordalis
