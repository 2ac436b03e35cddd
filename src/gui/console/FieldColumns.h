// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows the TAB-separated fields of a list's lines in aligned columns, each as wide as its
// widest field, so a long standard text does not run into its score. The lines themselves
// stay whole.

#include <QList>
#include <QStyledItemDelegate>

class QListWidget;

namespace ordalis {

class FieldColumns : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Installs itself on the list.
    explicit FieldColumns(QListWidget* list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const QList<int>& widths() const;

    QListWidget* m_list;
    mutable QList<int> m_widths; // empty until measured for the lines shown now
};

} // namespace ordalis
