// SPDX-License-Identifier: GPL-3.0-or-later
// First letters of pinyin readings: exceptions, the two GB2312 areas and everything else.
#include "pinyin/Initials.h"
#include "text/Gb18030.h"

#include <QtTest>

using namespace ordalis;

namespace {
QString fromGbk(const char* bytes) {
    return gb18030::decode(QByteArray(bytes));
}
} // namespace

class InitialsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesGiveTheirInitials() {
        QCOMPARE(getInitials(u"张三丰"), QStringLiteral("ZSF"));
        QCOMPARE(getInitials(u"李明"), QStringLiteral("LM"));
        QCOMPARE(getInitials(u"欧阳"), QStringLiteral("OY"));
        QCOMPARE(getInitials(u"Tom李"), QStringLiteral("TomL"));
        QCOMPARE(getInitials(u""), QString());
    }

    void exceptionsOverrideTheRanges() {
        QCOMPARE(getInitials(u"解"), QStringLiteral("X"));
        QCOMPARE(getInitials(u"翟"), QStringLiteral("Z"));
        QCOMPARE(getInitials(u"谢"), QStringLiteral("X"));
        QCOMPARE(getInitials(u"颉嫄珺燚玟翀祎解玥镕彧浥詹璟劼曌喆瑄旸垚阗修翟濛璠栾"),
                 QStringLiteral("XYJYWCYXYRYYZJJZZXYYTXZMFL"));
    }

    void levelOneRangeEdges() {
        // First and last character of each edge: 啊 B0A1, 芭 B0C5, 座 D7F9, and B0C4 just before B.
        QCOMPARE(getInitials(u"啊芭擦搭蛾发噶哈击喀垃妈拿哦啪期然撒塌挖昔压匝座"),
                 QStringLiteral("ABCDEFGHJKLMNOPQRSTWXYZZ"));
        QCOMPARE(getInitials(fromGbk("\xB0\xC4")), QStringLiteral("A"));
        QCOMPARE(getInitials(fromGbk("\xD7\xF9")), QStringLiteral("Z"));
    }

    void levelTwoTable() {
        QCOMPARE(getInitials(fromGbk("\xD8\xA1\xD8\xA2\xD8\xA3\xD8\xA4")), QStringLiteral("CJWG"));
        QCOMPARE(getInitials(u"亍"), QStringLiteral("C"));
        QCOMPARE(getInitials(u"齄"), QStringLiteral("Z"));
        // Row starts of pieces 2 and 16 (DAA1 and F6A1) and the last of row D9 (D9FE).
        QCOMPARE(getInitials(fromGbk("\xDA\xA1\xF6\xA1\xD9\xFE")), QStringLiteral("SGX"));
        // A GBK-only code with a trail byte below A1 takes the entry its place falls on.
        const QString below = getInitials(fromGbk("\xD9\x40"));
        QCOMPARE(below.size(), 1);
        QCOMPARE(below, QStringLiteral("X")); // position 160: the 66th letter of row D9
    }

    // Outside the tables ICU's Han-Latin reading gives the letter: F75D..F7A0 are GBK
    // characters whose place would lie past the end of the table, 䶮 is in no GBK area.
    void charactersBeyondTheTablesTakeIcusReading() {
        const QString text = fromGbk("\xF7\xA0\xF7\x5D\xF7\x80");
        QCOMPARE(text.size(), 3);
        QCOMPARE(getInitials(text), QStringLiteral("GMX"));
        QCOMPARE(getInitials(u"王䶮"), QStringLiteral("WY"));
        QCOMPARE(getInitials(u"王䶮"), QStringLiteral("WY")); // asked once, then remembered
    }

    void everythingElsePassesUnchanged() {
        const QString others =
            QStringLiteral("0123 abcXYZ，。！（）《》：ａ€한") + QString::fromUtf8("😀");
        QCOMPARE(getInitials(others), others);
        // The ideographic space A1A1 lies before both areas.
        QCOMPARE(getInitials(u"　"), QStringLiteral("　"));
        const QString mixed = QStringLiteral("王小明3号，Li雷") + QString::fromUtf8("😀");
        QCOMPARE(getInitials(mixed).size(), mixed.size());
        QCOMPARE(getInitials(mixed), QStringLiteral("WXM3H，LiL") + QString::fromUtf8("😀"));
    }
};

QTEST_GUILESS_MAIN(InitialsTest)
#include "tst_initials.moc"
