// SPDX-License-Identifier: GPL-3.0-or-later
// A roster saved as .csv by any spreadsheet, read and previewed for the import.

#include "SheetPreview.h"
#include "sheets/CsvReader.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::previewEverySheet(sheets::readCsv(fuzz::bytesOf(data, size), QStringLiteral("名单")));
    return 0;
}
