// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a stored name may hold, the one rule of the score service that the program checks too
// before it offers names: no "|" (list separator), "&" and "=" (form delimiters), no control
// character (TAB, CR, LF, DEL, C1), no format character (zero-width spaces and joiners, bidi
// overrides, BOM) nor line or paragraph separator, that would break a list or turn a display
// around, and nothing that stands for bytes that were no character (U+FFFD, private use).
// Ordinary spaces and every other character GB18030 has, rare ones of real names included,
// are kept.

#include <QList>
#include <QString>
#include <QStringView>

namespace ordalis {

constexpr qsizetype MaxNameLength = 60;

inline bool isRefusedInName(char32_t c) {
    if (c < 0x80) // most of every upload: no table needed
        return c < 0x20 || c == 0x7F || c == u'|' || c == u'&' || c == u'=';
    if (c == QChar::ReplacementCharacter)
        return true;
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_PrivateUse:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// Where in the text (in UTF-16 units) the first character begins that a name may not hold,
// or -1. Characters beyond the BMP are judged whole, not by their surrogates.
inline qsizetype firstRefusedInName(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
        if (isRefusedInName(c))
            return i;
        if (QChar::requiresSurrogates(c))
            ++i;
    }
    return -1;
}

// The text with each character a display would not show (controls, format characters) written
// as its code, "U+202E", so that a message quoting a refused name reads as it is.
inline QString visibleInMessage(QStringView text) {
    QString shown;
    for (char32_t c : text.toUcs4()) {
        if (isRefusedInName(c) && !QChar::isPrint(c))
            shown += QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
        else
            shown += QString::fromUcs4(&c, 1);
    }
    return shown;
}

} // namespace ordalis
