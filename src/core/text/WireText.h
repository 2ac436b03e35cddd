// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers shared by the program and the score service: the URL encoding of form bodies,
// reply decoding, wire time, the mp credential and the reading of numbers in text.

#include <QByteArray>
#include <QString>
#include <optional>

namespace ordalis {

// Every character above ASCII becomes the %HH escapes of its GB18030 bytes (upper-case hex:
// %HH%LL for a GBK character, four escapes for the others); nothing else is escaped, so "&",
// "=", "+", "%", blanks, TAB, CR and LF pass as they are.
QString encodeGb18030Url(QStringView text);

// A value made safe to stand between the "&" and "=" of a form body or query: "%", "&", "=",
// "+" and "#" become %25, %26, %3D, %2B and %23, so the service reads back exactly the text
// typed. Everything else is left for encodeGb18030Url.
QString escapeFormValue(QStringView value);

// The inverse used by the service: each "%" followed by two hex digits becomes that byte,
// every other character (a "+" included) stays itself.
QByteArray decodePercentBytes(QByteArrayView text);

// Reply bytes decoded in a named character set ("GB2312", "GBK", "GB18030", "UTF-8").
QString decodeText(const QByteArray& bytes, const QByteArray& charset);

// Wire time: whole seconds since 1970-01-01 08:00:00 of the wall clock. Accepts
// "yyyy-mm-dd hh:mm:ss" and a bare date such as "2013-3-15"; text that is no date, or a
// result outside 32 bits, gives 0.
qint32 dateToSeconds(const QString& text);
// The same reading, with no value for text that is no date or lies outside 32 bits, so that
// a caller can tell an unreadable text from the moment 1970-01-01 08:00:00.
std::optional<qint32> readWireTime(const QString& text);
// The moment as "yyyy-mm-dd hh:mm:ss"; dateToSeconds reads it back.
QString secondsToDate(qint32 seconds);

// MD5 over the GB18030 bytes of the text (the GBK bytes for every GBK character), 32
// lowercase hexadecimal digits.
QString md5Hex(const QString& text);

// The number a text begins with: blanks, TABs and line feeds are skipped wherever they stand,
// then an optional sign, digits and one decimal point; reading stops at the first other
// character. A text without a leading number gives 0. ("3分" gives 3, "优" gives 0.)
double leadingNumber(QStringView text);

// A number in its shortest decimal form with "." as decimal point: 5, 2.5, -1, 3.25.
QString shortestDecimal(double value);

} // namespace ordalis
