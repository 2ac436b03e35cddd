// SPDX-License-Identifier: GPL-3.0-or-later
// The zip archive of a workbook: every part a reader may ask for, unpacked within the
// import's bounds.

#include "FuzzInput.h"
#include "sheets/SheetLimits.h"
#include "sheets/ZipArchive.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    sheets::ZipArchive archive(bytes);
    qint64 unpacked = 0;
    for (const char* name : {"[Content_Types].xml", "xl/workbook.xml", "xl/sharedStrings.xml",
                             "xl/worksheets/sheet1.xml", "content.xml", "mimetype"}) {
        const QString part = QString::fromLatin1(name);
        archive.contains(part);
        if (const auto read = archive.read(part)) {
            fuzz::require(read->size() <= sheets::MaxEntryBytes, "a part is bounded");
            unpacked += read->size();
        }
    }
    fuzz::require(unpacked <= sheets::MaxUnpackedBytes, "the parts together are bounded");
    return 0;
}
