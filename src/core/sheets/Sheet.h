// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A worksheet as an import reads it: the cells that hold something, row by row, each with what
// kind of value it is. Rows and columns count from 0; empty cells and rows are left out.

#include "text/Refusal.h"

#include <QList>
#include <QString>

namespace ordalis::sheets {

struct Cell {
    enum class Kind {
        Text,
        Number,  // numbers and truth values: never a name
        Date,    // a day or a time of day, whatever number the file keeps it as
        Formula, // a computed cell, whatever it shows
    };
    int column = 0;
    Kind kind = Kind::Text;
    QString text;
};

struct Row {
    qint64 number = 0; // as the spreadsheet numbers it, from 1
    QList<Cell> cells; // by column
};

struct Sheet {
    QString name;
    QList<Row> rows;
};

// The sheets of a file, or why the file cannot be read (the whole 提示 text but the file name).
using Workbook = Expected<QList<Sheet>>;

} // namespace ordalis::sheets
