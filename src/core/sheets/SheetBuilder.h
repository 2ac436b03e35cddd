// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cells of one sheet as a reader finds them, in row order, within a count of cells that
// all sheets of the file share.

#include "sheets/Sheet.h"

namespace ordalis::sheets {

class SheetBuilder {
public:
    // budget: the cells the file may still hold; every cell added takes one.
    SheetBuilder(QString name, qint64& budget);

    // A cell whose text is blank is no cell. Rows come in ascending order.
    void add(qint64 row, int column, Cell::Kind kind, const QString& text);
    bool overBudget() const { return m_budget < 0; }
    Sheet take() { return std::move(m_sheet); }

private:
    Sheet m_sheet;
    qint64& m_budget;
};

// The refusal of a file with more cells than the budget.
QString tooManyCells();

} // namespace ordalis::sheets
