// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Chinese code page that every file and every wire text of the system uses.

#include <QByteArray>
#include <QString>

namespace ordalis::gbk {

// GBK bytes of a text; a character that GBK cannot represent becomes "?".
QByteArray encode(QStringView text);

// Text of GBK bytes; an invalid byte sequence becomes U+FFFD, never a failure.
QString decode(QByteArrayView bytes);

// The character's GBK code: hi * 256 + lo for a double-byte character, the byte value for a
// single-byte one, 0 when GBK has no code for it.
quint16 codeOf(QChar c);

} // namespace ordalis::gbk
