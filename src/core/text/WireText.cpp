// SPDX-License-Identifier: GPL-3.0-or-later
#include "WireText.h"

#include "Gb18030.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <limits>

namespace ordalis {

namespace {

const char HexDigits[] = "0123456789ABCDEF";

void appendEscapedByte(QString& out, uchar byte) {
    out.append(u'%');
    out.append(QLatin1Char(HexDigits[byte >> 4]));
    out.append(QLatin1Char(HexDigits[byte & 0xF]));
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The origin of wire time, taken as a UTC moment so that no time-zone rule shifts the
// difference: wire time is a plain wall-clock difference.
const QDateTime& wireEpoch() {
    static const QDateTime epoch(QDate(1970, 1, 1), QTime(8, 0), Qt::UTC);
    return epoch;
}

} // namespace

QString encodeGb18030Url(QStringView text) {
    QString out;
    out.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            out.append(c);
            continue;
        }
        const bool pair =
            c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        // Above ASCII every byte is escaped (the euro sign's single byte too), so the body
        // stays ASCII.
        for (const char byte : gb18030::encode(text.sliced(i, pair ? 2 : 1)))
            appendEscapedByte(out, uchar(byte));
        if (pair)
            ++i;
    }
    return out;
}

QString escapeFormValue(QStringView value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '%':
        case '&':
        case '=':
        case '+':
        case '#':
            appendEscapedByte(out, uchar(c.unicode()));
            break;
        default:
            out.append(c);
        }
    }
    return out;
}

QByteArray decodePercentBytes(QByteArrayView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* end = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            *end++ = char(hexValue(text[i + 1]) << 4 | hexValue(text[i + 2]));
            i += 2;
        } else {
            *end++ = c;
        }
    }
    out.truncate(end - out.data());
    return out;
}

QString decodeText(const QByteArray& bytes, const QByteArray& charset) {
    const QByteArray name = charset.trimmed().toUpper();
    // GB2312 and GBK replies are read as GB18030, their superset, so no valid reply byte is
    // lost.
    if (name.isEmpty() || name == "GB2312" || name == "GBK" || name == "CP936" || name == "GB18030")
        return gb18030::decode(bytes);
    QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return gb18030::decode(bytes);
    return decoder.decode(bytes);
}

qint32 dateToSeconds(const QString& text) {
    return readWireTime(text).value_or(0);
}

std::optional<qint32> readWireTime(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(\d{1,4})-(\d{1,2})-(\d{1,2})(?:\s+(\d{1,2}):(\d{1,2}):(\d{1,2}))?\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    const QTime time = match.capturedLength(4) == 0
                           ? QTime(0, 0)
                           : QTime(match.captured(4).toInt(), match.captured(5).toInt(),
                                   match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const qint64 seconds = wireEpoch().secsTo(QDateTime(date, time, Qt::UTC));
    if (seconds < std::numeric_limits<qint32>::min() ||
        seconds > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(seconds);
}

QString secondsToDate(qint32 seconds) {
    const QDateTime moment = wireEpoch().addSecs(seconds);
    if (!moment.isValid())
        return QString();
    return moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString md5Hex(const QString& text) {
    return QString::fromLatin1(
        QCryptographicHash::hash(gb18030::encode(text), QCryptographicHash::Md5).toHex());
}

double leadingNumber(QStringView text) {
    // Only a sign, digits and one point are kept: the number fits in as many bytes.
    QVarLengthArray<char, 32> number;
    bool signAllowed = true;
    bool pointSeen = false;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            number.append(char(c.unicode()));
        } else if (c >= u'0' && c <= u'9') {
            number.append(char(c.unicode()));
        } else if (c == u'.' && !pointSeen) {
            pointSeen = true;
            number.append('.');
        } else {
            break;
        }
        signAllowed = false;
    }
    bool ok = false;
    const double value = QByteArrayView(number.constData(), number.size()).toDouble(&ok);
    // "-" or "." alone is no number; -0 reads as 0.
    return ok && value != 0 ? value : 0.0;
}

QString shortestDecimal(double value) {
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace ordalis
