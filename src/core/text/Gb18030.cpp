// SPDX-License-Identifier: GPL-3.0-or-later
#include "Gb18030.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <memory>

namespace ordalis::gb18030 {

namespace {

using CodeTable = std::array<quint16, 0x10000>;

bool isLeadByte(uchar byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// The GBK code of every UTF-16 unit, taken from the converter once, so that encoding is a
// lookup. Units are encoded one at a time: the converter writes nothing at all for some units
// (default-ignorable ones such as the soft hyphen), which a bulk conversion would hide. A code
// is kept only where it reads back as its unit: not the "?" written for a character GBK
// lacks, nor the bytes of a few private-use units that GB18030 gives to another character
// (A9 92 is U+2FF8 there) or to none (U+F8F5 is the byte FF in GBK). Those units get their own
// GB18030 code.
std::unique_ptr<CodeTable> buildGbkTable() {
    auto table = std::make_unique<CodeTable>();
    table->fill(0);
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    for (uint u = 0; u < 0x10000; ++u) {
        if (QChar::isSurrogate(u))
            continue;
        const QChar unit{char16_t(u)};
        const QByteArray bytes = encoder.encode(QStringView(&unit, 1));
        if (decode(bytes) != unit)
            continue;
        if (bytes.size() == 2 && isLeadByte(uchar(bytes[0])))
            (*table)[u] = quint16(uchar(bytes[0]) << 8 | uchar(bytes[1]));
        else if (bytes.size() == 1)
            (*table)[u] = uchar(bytes[0]);
    }
    return table;
}

const CodeTable& gbkTable() {
    static const std::unique_ptr<CodeTable> table = buildGbkTable();
    return *table;
}

// Characters beyond the BMP follow one linear rule: their four-byte codes count up from
// 90 30 81 30, the last byte fastest (ten values), then 126 values, then ten.
void appendSupplementary(QByteArray& out, char32_t point) {
    uint linear = point - 0x10000;
    char bytes[4];
    bytes[3] = char(0x30 + linear % 10);
    linear /= 10;
    bytes[2] = char(0x81 + linear % 126);
    linear /= 126;
    bytes[1] = char(0x30 + linear % 10);
    linear /= 10;
    bytes[0] = char(0x90 + linear);
    out.append(bytes, 4);
}

// A BMP character GBK lacks: its four-byte code from the converter (the BMP's four-byte
// ranges are irregular, and such characters are rare enough not to need a table).
void appendFourByteBmp(QByteArray& out, QChar c) {
    QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    out.append(QByteArray(encoder.encode(QStringView(&c, 1))));
}

constexpr QChar Replacement = QChar::ReplacementCharacter;

} // namespace

quint16 gbkCode(QChar c) {
    return gbkTable()[c.unicode()];
}

qsizetype firstUnencodable(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return i;
    }
    return -1;
}

QString unencodableMessage(QStringView text) {
    const qsizetype position = firstUnencodable(text);
    if (position < 0)
        return {};
    QString shown = text.toString();
    for (QChar& c : shown) {
        if (c.isSurrogate())
            c = Replacement;
    }
    return QStringLiteral("“%1”中第%2个字符无法保存，请删除后重新输入")
        .arg(shown)
        .arg(text.first(position).toString().toUcs4().size() + 1);
}

QByteArray encode(QStringView text, bool* ok) {
    const CodeTable& table = gbkTable();
    if (ok)
        *ok = true;
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            appendSupplementary(out, QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
            continue;
        }
        if (c.isSurrogate()) {
            if (ok)
                *ok = false;
            c = Replacement;
        }
        const quint16 code = table[c.unicode()];
        if (code > 0xFF) {
            out.append(char(code >> 8));
            out.append(char(code & 0xFF));
        } else if (code != 0 || c.unicode() == 0) {
            out.append(char(code));
        } else {
            appendFourByteBmp(out, c);
        }
    }
    return out;
}

QString decode(QByteArrayView bytes) {
    // ASCII reads the same in GB18030; most fields (accounts, passwords) are ASCII, and opening
    // the converter costs more than reading them.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    QByteArray withEuro;
    // GB18030 has no single byte 0x80; GBK wrote the euro sign so. Such a byte where a
    // character begins (not the trail byte of a double-byte one) reads as the euro sign.
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar byte = uchar(bytes[i]);
        if (byte == 0x80) {
            if (withEuro.isEmpty())
                withEuro = bytes.first(i).toByteArray();
            withEuro.append("\xA2\xE3");
            ++i;
            continue;
        }
        qsizetype length = 1;
        if (isLeadByte(byte) && i + 1 < bytes.size())
            length = uchar(bytes[i + 1]) >= 0x30 && uchar(bytes[i + 1]) <= 0x39 ? 4 : 2;
        length = std::min(length, bytes.size() - i);
        if (!withEuro.isEmpty())
            withEuro.append(bytes.sliced(i, length));
        i += length;
    }
    QStringDecoder decoder("GB18030");
    QString text = decoder.decode(withEuro.isEmpty() ? bytes : QByteArrayView(withEuro));
    // The converter holds back an incomplete sequence at the very end, waiting for its trail
    // bytes. A NUL settles it: the held bytes come out as U+FFFD, and the NUL is dropped again.
    text += decoder.decode(QByteArrayView("", 1));
    if (text.endsWith(QChar(0)))
        text.chop(1);
    return text;
}

QString decodeFile(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8); // skips a leading byte-order mark
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? decode(bytes) : text;
}

} // namespace ordalis::gb18030
