// SPDX-License-Identifier: GPL-3.0-or-later
// A roster saved as .xlsx (Excel, WPS), read and previewed for the import: the input is its
// parts, split at a NUL (the package's and the workbook's relationships, the workbook, the
// shared strings, two sheets), put in an archive as a spreadsheet program would.

#include "SheetPreview.h"
#include "ZipOf.h"
#include "sheets/WorkbookReaders.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QStringList Names = {QStringLiteral("_rels/.rels"),
                                      QStringLiteral("xl/_rels/workbook.xml.rels"),
                                      QStringLiteral("xl/workbook.xml"),
                                      QStringLiteral("xl/sharedStrings.xml"),
                                      QStringLiteral("xl/worksheets/sheet1.xml"),
                                      QStringLiteral("xl/worksheets/sheet2.xml")};
    const QByteArrayList parts = fuzz::bytesOf(data, size).split('\0');
    const qsizetype count = std::min(parts.size(), Names.size());
    fuzz::previewEverySheet(sheets::readXlsx(fuzz::zipOf(Names.first(count), parts.first(count))));
    return 0;
}
