// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sheets of the two zip-based workbook formats: Office Open XML (.xlsx, what Excel and
// WPS save) and OpenDocument (.ods, LibreOffice). Each cell keeps the value it shows (a shared
// string, an inline text, a number) and whether it is computed; styles, merges and pictures
// are not read: a merged area keeps its value in its first cell only.

#include "sheets/Sheet.h"

#include <QByteArray>

namespace ordalis::sheets {

Workbook readXlsx(const QByteArray& bytes);
Workbook readOds(const QByteArray& bytes);

} // namespace ordalis::sheets
