// SPDX-License-Identifier: GPL-3.0-or-later
// A form body or query string as a client sends it, read the way the protocol reads every
// request's fields.

#include "FuzzInput.h"
#include "http/FormFields.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray raw = fuzz::bytesOf(data, size);
    constexpr qsizetype MaxFields = 16;
    const auto fields = service::FormFields::parse(raw, MaxFields);
    fuzz::require(fields || raw.count('&') >= MaxFields, "a short form is read");
    if (!fields)
        return 0;
    // A key is found only where the raw text holds it, plainly or escaped.
    const QString score = fields->value("score");
    fuzz::require(score.isEmpty() || raw.contains("score=") || raw.contains('%'),
                  "a value belongs to its key");
    fields->contains("username");
    fields->keyWithControlCharacter();
    return 0;
}
