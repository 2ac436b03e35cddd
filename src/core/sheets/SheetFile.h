// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A spreadsheet file to import, read by its extension: .xlsx (Excel, WPS), .ods (LibreOffice)
// or .csv; a file too large for a roster is refused before it is read.

#include "sheets/Sheet.h"

namespace ordalis::sheets {

// Whether the import reads the file as a spreadsheet (rather than as a text of names).
bool isSpreadsheetFile(const QString& path);

// The file's sheets, or a refusal that names the file and what is wrong with it.
Workbook readSheetFile(const QString& path);

} // namespace ordalis::sheets
