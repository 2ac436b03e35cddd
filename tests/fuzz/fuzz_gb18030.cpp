// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes of a file or a reply read as GB18030 (or UTF-8 where a file is that); the text they
// give is written back to the same bytes' text, with nothing lost.

#include "FuzzInput.h"
#include "text/Gb18030.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    for (const QString& text : {gb18030::decode(bytes), gb18030::decodeFile(bytes)}) {
        bool ok = true;
        const QByteArray written = gb18030::encode(text, &ok);
        fuzz::require(ok && gb18030::firstUnencodable(text) < 0, "a read text can be written");
        fuzz::require(gb18030::decode(written) == text, "a written text reads back the same");
        for (const QChar c : text)
            gb18030::gbkCode(c);
    }
    return 0;
}
