// First letters of pinyin readings: exceptions, the two GB2312 areas and everything else.
#include "net/Gbk.h"
#include "pinyin/Initials.h"

#include <QtTest>

using namespace ordalis;

namespace {
QString fromGbk(const char* bytes) {
    return gbk::decode(QByteArray(bytes));
}
} // namespace

class TestInitials : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesGiveTheirInitials() {
        QCOMPARE(GetInitials(u"张三丰"), QStringLiteral("ZSF"));
        QCOMPARE(GetInitials(u"李明"), QStringLiteral("LM"));
        QCOMPARE(GetInitials(u"欧阳"), QStringLiteral("OY"));
        QCOMPARE(GetInitials(u"Tom李"), QStringLiteral("TomL"));
        QCOMPARE(GetInitials(u""), QString());
    }

    void exceptionsOverrideTheRanges() {
        QCOMPARE(GetInitials(u"解"), QStringLiteral("X"));
        QCOMPARE(GetInitials(u"翟"), QStringLiteral("Z"));
        QCOMPARE(GetInitials(u"谢"), QStringLiteral("X"));
        QCOMPARE(GetInitials(u"颉嫄珺燚玟翀祎解玥镕彧浥詹璟劼曌喆瑄旸垚阗修翟濛璠栾"),
                 QStringLiteral("XYJYWCYXYRYYZJJZZXYYTXZMFL"));
    }

    void levelOneRangeEdges() {
        // First and last character of each edge: 啊 B0A1, 芭 B0C5, 座 D7F9, and B0C4 just before B.
        QCOMPARE(GetInitials(u"啊芭擦搭蛾发噶哈击喀垃妈拿哦啪期然撒塌挖昔压匝座"),
                 QStringLiteral("ABCDEFGHJKLMNOPQRSTWXYZZ"));
        QCOMPARE(GetInitials(fromGbk("\xB0\xC4")), QStringLiteral("A"));
        QCOMPARE(GetInitials(fromGbk("\xD7\xF9")), QStringLiteral("Z"));
    }

    void levelTwoTable() {
        QCOMPARE(GetInitials(fromGbk("\xD8\xA1\xD8\xA2\xD8\xA3\xD8\xA4")), QStringLiteral("CJWG"));
        QCOMPARE(GetInitials(u"亍"), QStringLiteral("C"));
        QCOMPARE(GetInitials(u"齄"), QStringLiteral("Z"));
        // Row starts of pieces 2 and 16 (DAA1 and F6A1) and the last of row D9 (D9FE).
        QCOMPARE(GetInitials(fromGbk("\xDA\xA1\xF6\xA1\xD9\xFE")), QStringLiteral("SGX"));
        // A GBK-only code with a trail byte below A1 takes the entry its place falls on.
        const QString below = GetInitials(fromGbk("\xD9\x40"));
        QCOMPARE(below.size(), 1);
        QCOMPARE(below, QStringLiteral("X")); // position 160: the 66th letter of row D9
    }

    void codesBeyondTheTableKeepTheirCharacter() {
        // F75D..F7A0 are GBK characters whose place would lie past the end of the table.
        const QString text = fromGbk("\xF7\xA0\xF7\x5D\xF7\x80");
        QCOMPARE(text.size(), 3);
        QCOMPARE(GetInitials(text), text);
    }

    void everythingElsePassesUnchanged() {
        const QString others =
            QStringLiteral("0123 abcXYZ，。！（）《》：ａ€한") + QString::fromUtf8("😀");
        QCOMPARE(GetInitials(others), others);
        // The ideographic space A1A1 lies before both areas.
        QCOMPARE(GetInitials(u"　"), QStringLiteral("　"));
        const QString mixed = QStringLiteral("王小明3号，Li雷") + QString::fromUtf8("😀");
        QCOMPARE(GetInitials(mixed).size(), mixed.size());
        QCOMPARE(GetInitials(mixed), QStringLiteral("WXM3H，LiL") + QString::fromUtf8("😀"));
    }
};

QTEST_GUILESS_MAIN(TestInitials)
#include "tst_Initials.moc"
