// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetBuilder.h"

#include "sheets/SheetLimits.h"

namespace ordalis::sheets {

SheetBuilder::SheetBuilder(QString name, qint64& budget)
    : m_budget(budget) {
    m_sheet.name = std::move(name);
}

void SheetBuilder::add(qint64 row, int column, Cell::Kind kind, const QString& text) {
    // A formula without a kept result is no empty cell: the roster says what it is.
    if ((text.trimmed().isEmpty() && kind != Cell::Kind::Formula) || --m_budget < 0)
        return;
    if (m_sheet.rows.isEmpty() || m_sheet.rows.last().number != row)
        m_sheet.rows.append(Row{row, {}});
    m_sheet.rows.last().cells.append(Cell{column, kind, text});
}

QString tooManyCells() {
    return QStringLiteral("表格中的内容太多（超过%1个单元格），不像是一个班级的名单").arg(MaxCells);
}

} // namespace ordalis::sheets
