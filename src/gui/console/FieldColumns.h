// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows the TAB-separated fields of a list's lines in aligned columns, each as wide as its
// widest field (and its header), so a long standard text does not run into its score. The
// columns may show some fields only, in an order of their own, under a header: the lines
// themselves stay whole, identifiers included, for the edit boxes.

#include "console/ServiceLists.h"

#include <QList>
#include <QStyledItemDelegate>

class QHeaderView;
class QListWidget;
class QStandardItemModel;

namespace ordalis {

class FieldColumns : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum class Header { None, Shown };
    // Installs itself on the list.
    FieldColumns(QListWidget* list, const QList<console::ListColumn>& columns,
                 Header header = Header::None);

    // The header for the owner to stand on the list (objectName: the list's, then "Header");
    // none unless asked for.
    QHeaderView* header() const { return m_header; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // The fields of a line in column order.
    QStringList shownFields(const QString& line) const;
    const QList<int>& widths() const;
    void linesChanged();

    QListWidget* m_list;
    QList<console::ListColumn> m_columns;
    QHeaderView* m_header = nullptr;
    QStandardItemModel* m_headerModel = nullptr;
    mutable QList<int> m_widths; // empty until measured for the lines shown now
};

} // namespace ordalis
