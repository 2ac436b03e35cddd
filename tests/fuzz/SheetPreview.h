// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the import does with every sheet a file gives: the preview of its names.

#include "FuzzInput.h"
#include "sheets/RosterSheet.h"
#include "sheets/SheetLimits.h"

namespace ordalis::fuzz {

inline void previewEverySheet(const sheets::Workbook& workbook) {
    const QList<sheets::Sheet> read = workbook.valueOr({});
    require(read.size() <= sheets::MaxSheets, "the sheets are bounded");
    for (const sheets::Sheet& sheet : read)
        sheets::previewRoster(sheet, {QStringLiteral("张三")});
}

} // namespace ordalis::fuzz
