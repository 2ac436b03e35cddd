// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names a sheet gives a class, as the import shows them before anything is sent: the
// names column is the one headed 姓名 (or 名字, 学生, 学生姓名, Name), else the column with the
// most text; the header row is skipped; every other cell of that column is a name to add or
// is left out, with the reason.

#include "sheets/Sheet.h"

#include <QStringList>

namespace ordalis::sheets {

struct LeftOut {
    qint64 row = 0;
    QString text;
    QString reason; // "重复", "空白", "数字…", "日期…", "公式…", "含有无法保存的字符“|”", "太长"
};

struct RosterPreview {
    int column = -1;   // the names column; -1 when the sheet has no text at all
    qint64 header = 0; // the number of the skipped header row, 0 for none
    QStringList names; // to add, in sheet order
    QList<LeftOut> leftOut;
};

// existing: the class's names already listed, which are duplicates too. A name's blanks are
// removed, as in a typed list.
RosterPreview previewRoster(const Sheet& sheet, const QStringList& existing);

// "A", "B", … "AA": the column as the spreadsheet names it.
QString columnName(int column);

} // namespace ordalis::sheets
