// SPDX-License-Identifier: GPL-3.0-or-later
// A roster saved as .ods (LibreOffice), read and previewed for the import.

#include "SheetPreview.h"
#include "sheets/WorkbookReaders.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::previewEverySheet(sheets::readOds(fuzz::bytesOf(data, size)));
    return 0;
}
