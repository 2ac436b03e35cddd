// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class workbook as files: .xlsx through libxlsxwriter (two sheets, a bold header row
// frozen at the top, dates and times as real dates and times, scores as numbers, columns as
// wide as their Chinese texts) and .csv (UTF-8 with byte-order mark, which Excel needs to read
// Chinese; the two tables one below the other, an empty line between).

#include "text/Refusal.h"
#include "workbook/ClassWorkbook.h"

#include <QByteArray>

namespace ordalis::workbook {

// The sheets' names, as a reader of the file finds them.
inline const QString StudentsSheet = QStringLiteral("学生汇总");
inline const QString ScoresSheet = QStringLiteral("全部计分");

// The .xlsx file's bytes, or why they could not be written.
Expected<QByteArray> toXlsx(const ClassWorkbook& book);
QByteArray toCsv(const ClassWorkbook& book);

} // namespace ordalis::workbook
