// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Chinese code page of every file and every wire text: GB18030, written so that every
// character GBK has keeps exactly its GBK bytes (files and peers of GBK days read the same),
// while every other character (CJK extensions, rare characters of real names, the few
// private-use characters whose GBK bytes GB18030 reads as another or none) gets its GB18030 code
// instead of being lost.

#include <QByteArray>
#include <QString>

namespace ordalis::gb18030 {

// The position of the first unit that no encoding can carry (an unpaired surrogate), or -1.
// Texts typed or pasted by a person are checked with it before they are sent or written.
qsizetype firstUnencodable(QStringView text);
// The teacher's message for such a text: the text, with U+FFFD where the unit stood, and the
// position of the unit, e.g. 「“王\uFFFD”中第2个字符无法保存」; empty when the text can be encoded.
QString unencodableMessage(QStringView text);

// The bytes of a text. An unpaired surrogate, the one thing that has no bytes, is written as
// U+FFFD and clears `*ok`; writers that can refuse check `ok` and report the text.
QByteArray encode(QStringView text, bool* ok = nullptr);

// Text of the bytes; an invalid byte sequence becomes U+FFFD, never a failure. The byte 0x80,
// the euro sign of GBK, reads as the euro sign.
QString decode(QByteArrayView bytes);

// The text of a file saved by any editor or spreadsheet: UTF-8 (its byte-order mark skipped)
// when the bytes are valid UTF-8, otherwise GB18030.
QString decodeFile(QByteArrayView bytes);

// The character's GBK code: hi * 256 + lo for a double-byte character, the byte value for a
// single-byte one, 0 when GBK has no code for it (its GB18030 code then has four bytes).
quint16 gbkCode(QChar c);

} // namespace ordalis::gb18030
