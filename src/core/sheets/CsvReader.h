// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table saved as text by a spreadsheet: UTF-8 with or without byte-order mark, or GB18030
// (what a Chinese Excel saves); fields separated by comma, semicolon or TAB, whichever the
// first lines use most; fields in double quotes may hold separators, line ends and doubled
// quotes; lines end at CR LF, LF or CR.

#include "sheets/Sheet.h"

#include <QByteArray>

namespace ordalis::sheets {

// One sheet named after the file; a field that is a plain decimal number is a number.
Workbook readCsv(const QByteArray& bytes, const QString& sheetName);

} // namespace ordalis::sheets
