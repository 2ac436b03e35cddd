// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a stored name may hold, the one rule of the score service that the program checks too
// before it offers names: no TAB, CR, LF (record fields and lines), "|" (list separator), "&"
// and "=" (form delimiters), no other control character, and nothing that stands for bytes
// that were no character (U+FFFD, the private use area). Every other character GB18030 has,
// rare ones of real names included, is kept.

#include <QString>

namespace ordalis {

constexpr qsizetype MaxNameLength = 60;

inline bool isRefusedInName(QChar c) {
    return c == u'|' || c == u'&' || c == u'=' || c == QChar::ReplacementCharacter ||
           c.unicode() < 0x20 || c.category() == QChar::Other_PrivateUse;
}

// The first character of the text that a name may not hold, or -1.
inline qsizetype firstRefusedInName(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isRefusedInName(text[i]))
            return i;
    return -1;
}

} // namespace ordalis
