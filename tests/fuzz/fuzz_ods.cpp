// SPDX-License-Identifier: GPL-3.0-or-later
// A roster saved as .ods (LibreOffice), read and previewed for the import: the input is the
// content part, put in an archive as LibreOffice would.

#include "SheetPreview.h"
#include "ZipOf.h"
#include "sheets/WorkbookReaders.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QStringList Names = {QStringLiteral("mimetype"), QStringLiteral("content.xml")};
    fuzz::previewEverySheet(sheets::readOds(fuzz::zipOf(
        Names, {"application/vnd.oasis.opendocument.spreadsheet", fuzz::bytesOf(data, size)})));
    return 0;
}
