// SPDX-License-Identifier: GPL-3.0-or-later
#include "Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <memory>

namespace ordalis::gbk {

namespace {

using CodeTable = std::array<quint16, 0x10000>;

bool isLeadByte(uchar byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// The code of every UTF-16 unit, taken from the converter once, so that encoding is a lookup
// and a character GBK lacks (the converter writes "?" for it) is told apart from a real "?".
// Units are encoded one at a time: the converter writes nothing at all for some units
// (default-ignorable ones such as the soft hyphen), which a bulk conversion would hide.
std::unique_ptr<CodeTable> buildTable() {
    auto table = std::make_unique<CodeTable>();
    table->fill(0);
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    for (uint u = 0; u < 0x10000; ++u) {
        if (QChar::isSurrogate(u))
            continue;
        const QChar unit{char16_t(u)};
        const QByteArray bytes = encoder.encode(QStringView(&unit, 1));
        if (bytes.size() == 2 && isLeadByte(uchar(bytes[0])))
            (*table)[u] = quint16(uchar(bytes[0]) << 8 | uchar(bytes[1]));
        else if (bytes.size() == 1 && (bytes[0] != '?' || u == '?'))
            (*table)[u] = uchar(bytes[0]);
    }
    return table;
}

const CodeTable& codeTable() {
    static const std::unique_ptr<CodeTable> table = buildTable();
    return *table;
}

} // namespace

quint16 codeOf(QChar c) {
    return codeTable()[c.unicode()];
}

QByteArray encode(QStringView text) {
    const CodeTable& table = codeTable();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.append('?'); // one character beyond the BMP: GBK has none of them
            ++i;
            continue;
        }
        const quint16 code = table[c.unicode()];
        if (code > 0xFF) {
            out.append(char(code >> 8));
            out.append(char(code & 0xFF));
        } else if (code != 0 || c.unicode() == 0) {
            out.append(char(code));
        } else {
            out.append('?');
        }
    }
    return out;
}

QString decode(QByteArrayView bytes) {
    QStringDecoder decoder("GBK");
    QString text = decoder.decode(bytes);
    // The converter holds back a lead byte at the very end, waiting for its trail byte. A NUL
    // settles it: the held byte comes out as U+FFFD, and the NUL is dropped again.
    text += decoder.decode(QByteArrayView("", 1));
    if (text.endsWith(QChar(0)))
        text.chop(1);
    return text;
}

} // namespace ordalis::gbk
