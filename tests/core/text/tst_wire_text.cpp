// SPDX-License-Identifier: GPL-3.0-or-later
// GB18030 conversion and the text helpers that the program and the service share.
#include "text/Gb18030.h"
#include "text/NameRule.h"
#include "text/WireText.h"

#include <QtTest>

using namespace ordalis;

class WireTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void gbkRoundTripsChineseAndAscii() {
        const QString text = QStringLiteral("张三 abc 初一(3)班，优");
        const QByteArray bytes = gb18030::encode(text);
        QCOMPARE(bytes.left(4), QByteArray("\xD5\xC5\xC8\xFD"));
        QCOMPARE(gb18030::decode(bytes), text);
        QCOMPARE(gb18030::gbkCode(QChar(u'张')), quint16(0xD5C5));
        QCOMPARE(gb18030::gbkCode(QChar(u'A')), quint16('A'));
        QCOMPARE(gb18030::gbkCode(QChar(u'?')), quint16('?'));
    }

    void everyGbkCharacterKeepsItsGbkBytes() {
        // Files and peers of GBK days read the same: for each character GBK has, the bytes are
        // exactly the GBK converter's, but for the private-use ones whose GBK bytes GB18030
        // reads as another character: those read back as themselves.
        QStringEncoder gbk("GBK", QStringConverter::Flag::Stateless);
        int characters = 0;
        for (uint u = 1; u < 0x10000; ++u) {
            if (QChar::isSurrogate(u))
                continue;
            const QChar unit{char16_t(u)};
            const QByteArray expected = gbk.encode(QStringView(&unit, 1));
            const bool inGbk =
                expected.size() == 2 || (expected.size() == 1 && (expected != "?" || u == '?'));
            if (!inGbk)
                continue;
            ++characters;
            if (gb18030::decode(expected) != unit) {
                QCOMPARE(gb18030::decode(gb18030::encode(QStringView(&unit, 1))), QString(unit));
                continue;
            }
            if (gb18030::encode(QStringView(&unit, 1)) != expected)
                QFAIL(qPrintable(QStringLiteral("U+%1").arg(u, 4, 16, QLatin1Char('0'))));
        }
        QVERIFY(characters > 21000);
        QCOMPARE(gb18030::encode(QString(QChar(0))), QByteArray(1, '\0'));
    }

    void charactersBeyondGbkRoundTrip() {
        // Rare characters of names (CJK extension A and B), Korean and an emoji: each gets its
        // four-byte code, the same as the converter's, and reads back as itself.
        QStringEncoder reference("GB18030", QStringConverter::Flag::Stateless);
        for (const QString& text :
             {QStringLiteral("王䶮"), QString::fromUcs4(U"𠀀明"), QStringLiteral("李堃"),
              QStringLiteral("a한b"), QString::fromUtf8("😀"), QString::fromUcs4(U"\U0010FFFD")}) {
            bool ok = false;
            const QByteArray bytes = gb18030::encode(text, &ok);
            QVERIFY(ok);
            QCOMPARE(bytes, QByteArray(reference.encode(text)));
            QVERIFY(!bytes.contains('?'));
            QCOMPARE(gb18030::decode(bytes), text);
            QCOMPARE(gb18030::decode(decodePercentBytes(encodeGb18030Url(text).toLatin1())), text);
        }
        QCOMPARE(gb18030::encode(QString::fromUcs4(U"𠀀")), QByteArray("\x95\x32\x82\x36"));
        QCOMPARE(encodeGb18030Url(u"䶮"), QStringLiteral("%FE%9F"));
        QCOMPARE(gb18030::gbkCode(QChar(u'䶮')), quint16(0));
        // The euro sign keeps GBK's single byte, and that byte reads back as the euro sign
        // where a character begins, but not as the trail byte of a double-byte character.
        QCOMPARE(gb18030::encode(u"€"), QByteArray("\x80"));
        QCOMPARE(gb18030::decode(QByteArray("a\x80\x81\x80", 4)), QStringLiteral("a€亐"));
    }

    void unpairedSurrogateIsRefusedNotReplaced() {
        const QString text = QStringLiteral("王") + QChar(0xD800) + QStringLiteral("明");
        QCOMPARE(gb18030::firstUnencodable(text), 1);
        QCOMPARE(gb18030::firstUnencodable(QString::fromUcs4(U"𠀀明")), -1);
        bool ok = true;
        QVERIFY(!gb18030::encode(text, &ok).contains('?'));
        QVERIFY(!ok);
        QCOMPARE(gb18030::unencodableMessage(text),
                 QStringLiteral("“王\uFFFD明”中第2个字符无法保存，请删除后重新输入"));
        QVERIFY(gb18030::unencodableMessage(u"王䶮").isEmpty());
    }

    void gbkInvalidBytesNeverFail() {
        // A lead byte at the very end and a lead byte followed by a control byte.
        const QString text = gb18030::decode(QByteArray("\xD5\xC5\x81", 3));
        QCOMPARE(text.left(1), QStringLiteral("张"));
        QVERIFY(text.size() == 2);
        QVERIFY(!gb18030::decode(QByteArray("\x81\x0A", 2)).isEmpty());
        QCOMPARE(gb18030::decode(QByteArray()), QString());
    }

    void encodeGb18030UrlEscapesOnlyCharactersAboveAscii() {
        QCOMPARE(encodeGb18030Url(u"张三"), QStringLiteral("%D5%C5%C8%FD"));
        QCOMPARE(encodeGb18030Url(u"a&b=c d+e%"), QStringLiteral("a&b=c d+e%"));
        QCOMPARE(encodeGb18030Url(u"x\ty\r\n|"), QStringLiteral("x\ty\r\n|"));
        QCOMPARE(encodeGb18030Url(u""), QString());
        // The euro sign is GBK's one single byte above ASCII; it is escaped like the rest.
        QCOMPARE(encodeGb18030Url(u"€"), QStringLiteral("%80"));
        QCOMPARE(encodeGb18030Url(u"username=李明&score=初一\t3分"),
                 QStringLiteral("username=%C0%EE%C3%F7&score=%B3%F5%D2%BB\t3%B7%D6"));
    }

    void decodePercentBytesInvertsTheUrlEncoding() {
        const QString body = QStringLiteral("name=张三&note=a+b 100%&x=%4");
        QCOMPARE(gb18030::decode(decodePercentBytes(encodeGb18030Url(body).toLatin1())), body);
        QCOMPARE(decodePercentBytes("%41%zz%4"), QByteArray("A%zz%4"));
        QCOMPARE(decodePercentBytes("%e5%"), QByteArray("\xE5%"));
    }

    void decodeTextReadsGb2312AsGbk() {
        // 堃 is GBK but not GB2312: the reply must still show it.
        const QByteArray bytes = gb18030::encode(u"王堃 Success!");
        QCOMPARE(decodeText(bytes, "GB2312"), QStringLiteral("王堃 Success!"));
        QCOMPARE(decodeText(bytes, "gbk"), QStringLiteral("王堃 Success!"));
        QCOMPARE(decodeText(QStringLiteral("王").toUtf8(), "UTF-8"), QStringLiteral("王"));
    }

    void wireTimeIsTheWallClockDifferenceFrom1970At8() {
        QCOMPARE(dateToSeconds(QStringLiteral("1970-1-1 08:00:00")), 0);
        QCOMPARE(dateToSeconds(QStringLiteral("2013-3-15")), 1363276800);
        QCOMPARE(dateToSeconds(QStringLiteral("2013-03-15 00:00:00")), 1363276800);
        QCOMPARE(dateToSeconds(QStringLiteral("2013-3-15 8:5:3")), 1363276800 + 8 * 3600 + 303);
        QCOMPARE(dateToSeconds(QStringLiteral("1970-01-01 07:59:59")), -1);
        QCOMPARE(secondsToDate(0), QStringLiteral("1970-01-01 08:00:00"));
        QCOMPARE(secondsToDate(-1), QStringLiteral("1970-01-01 07:59:59"));
        for (const qint32 seconds : {0, 1, -86400, 1363276800, 2147483647, -2147483647 - 1})
            QCOMPARE(dateToSeconds(secondsToDate(seconds)), seconds);
    }

    void wireTimeRejectsWhatIsNoDate() {
        const QStringList bad{QStringLiteral("abc"),
                              QString(),
                              QStringLiteral("2013-2-30"),
                              QStringLiteral("2013-3-15 25:00:00"),
                              QStringLiteral("2013-3-15x"),
                              QStringLiteral("2013/3/15"),
                              QStringLiteral("2013-3-15 8:05"),
                              QStringLiteral("2038-01-19 11:14:08"), // one past 32 bits
                              QStringLiteral("1901-12-14 04:45:51")};
        for (const QString& text : bad)
            QVERIFY2(dateToSeconds(text) == 0, qPrintable(text));
        QCOMPARE(dateToSeconds(QStringLiteral("2038-01-19 11:14:07")), 2147483647);
    }

    void md5HexOverGbkBytes() {
        QCOMPARE(md5Hex(QString()), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
        QCOMPARE(md5Hex(QStringLiteral("abc")), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
        // Chinese passwords hash their GBK bytes.
        QCOMPARE(
            md5Hex(QStringLiteral("张三")),
            QString::fromLatin1(
                QCryptographicHash::hash("\xD5\xC5\xC8\xFD", QCryptographicHash::Md5).toHex()));
    }

    void leadingNumberReadsLikeTheRecordDoes() {
        QCOMPARE(leadingNumber(u"3分"), 3.0);
        QCOMPARE(leadingNumber(u"优"), 0.0);
        QCOMPARE(leadingNumber(u""), 0.0);
        QCOMPARE(leadingNumber(u"  4.25"), 4.25);
        QCOMPARE(leadingNumber(u"1 2\t3"), 123.0);
        QCOMPARE(leadingNumber(u"-2.5x"), -2.5);
        QCOMPARE(leadingNumber(u"+7"), 7.0);
        QCOMPARE(leadingNumber(u"1.2.3"), 1.2);
        QCOMPARE(leadingNumber(u"5-3"), 5.0);
        QCOMPARE(leadingNumber(u"-"), 0.0);
        QCOMPARE(leadingNumber(u"."), 0.0);
        QCOMPARE(leadingNumber(u".5"), 0.5);
    }

    void shortestDecimalWritesNoNeedlessDigits() {
        QCOMPARE(shortestDecimal(5), QStringLiteral("5"));
        QCOMPARE(shortestDecimal(2.5), QStringLiteral("2.5"));
        QCOMPARE(shortestDecimal(3.25), QStringLiteral("3.25"));
        QCOMPARE(shortestDecimal(-1), QStringLiteral("-1"));
        QCOMPARE(shortestDecimal(-0.0), QStringLiteral("0"));
        QCOMPARE(shortestDecimal(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
        QCOMPARE(shortestDecimal(1e6), QStringLiteral("1000000"));
    }

    void nameRuleRefusesWhatBreaksAListOrADisplay_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("refusedAt");
        for (const char16_t c :
             {u'\t',     u'\n',     u'\r',     u'|',      u'&',      u'=',      u'\x7F',
              u'\x80',   u'\x9F',   u'\xAD',   u'\u200B', u'\u200D', u'\u2028', u'\u202A',
              u'\u202E', u'\u2066', u'\u2069', u'\uFEFF', u'\uFFFD', u'\uE000'})
            QTest::addRow("U+%04X", unsigned(c)) << QStringLiteral("王") + QChar(c) + u'明' << 1;
        QTest::addRow("tag character") << QString::fromUcs4(U"王\U000E0041") << 1;
        QTest::addRow("plain") << QStringLiteral("张三") << -1;
        QTest::addRow("spaces") << QStringLiteral("Li Ming　初一(3)班") << -1;
        QTest::addRow("extension A") << QStringLiteral("王䶮") << -1;
        QTest::addRow("extension B") << QString::fromUcs4(U"𠀀明𪚥") << -1;
        QTest::addRow("middle dot") << QStringLiteral("阿依古丽·买买提") << -1;
    }
    void nameRuleRefusesWhatBreaksAListOrADisplay() {
        QFETCH(QString, name);
        QFETCH(int, refusedAt);
        QCOMPARE(firstRefusedInName(name), refusedAt);
    }
};

QTEST_GUILESS_MAIN(WireTextTest)
#include "tst_wire_text.moc"
