// SPDX-License-Identifier: GPL-3.0-or-later
#include "Initials.h"

#include "text/Gb18030.h"

#include <QHash>
#include <QMutex>
#include <algorithm>
#include <array>
#include <memory>
#include <unicode/translit.h>

namespace ordalis {

namespace {

// Characters whose reading the code tables get wrong, with their letters, paired by position.
constexpr char16_t ExceptionCharacters[] = u"颉嫄珺燚玟翀祎解玥镕彧浥詹璟劼曌喆瑄旸垚阗修翟濛璠栾";
constexpr char ExceptionLetters[] = "XYJYWCYXYRYYZJJZZXYYTXZMFL";
static_assert(sizeof(ExceptionCharacters) / sizeof(char16_t) == sizeof(ExceptionLetters));

// The level-1 area (B0A1 to D7F9) is sorted by reading: each letter owns a run of codes,
// written here as the signed 16-bit value of its first code. I, U and V begin no syllable.
struct Level1Range {
    int first;
    char letter;
};
constexpr std::array<Level1Range, 23> Level1Ranges{{
    {-20319, 'A'}, {-20283, 'B'}, {-19775, 'C'}, {-19218, 'D'}, {-18710, 'E'}, {-18526, 'F'},
    {-18239, 'G'}, {-17922, 'H'}, {-17417, 'J'}, {-16474, 'K'}, {-16212, 'L'}, {-15640, 'M'},
    {-15165, 'N'}, {-14922, 'O'}, {-14914, 'P'}, {-14630, 'Q'}, {-14149, 'R'}, {-14090, 'S'},
    {-13318, 'T'}, {-12838, 'W'}, {-12556, 'X'}, {-11847, 'Y'}, {-11055, 'Z'},
}};
constexpr int Level1Last = -10247; // D7F9

// The level-2 area (D8A1 to F7FE) is sorted by radical, so every character has its own letter:
// 32 rows of 94 characters in code order, two rows per line pair below.
constexpr int Level2First = -10079; // D8A1
constexpr int Level2Last = -2050;   // F7FE
constexpr char Level2Letters[] =
    // D8A1-D9FE
    "CJWGNSPGCGNESYPBTYYZDXYKYGTDJNNJQMBSGZSCYJSYYQPGKBZGYDYWJKGKLJYWKPJQHYTWDDZLSYMRYPYWWCCKZNKYYG"
    "TTNGJEYKKZYTCJNMCYLQLYPYSFQRPZSMWBTGKJFYXJWZLTBNCXJJJJTXDTTSQZYCDXXHGCKBPHFFSSWYBGMXMPBYMLLHLX"
    // DAA1-DBFE
    "SPZMYJHSOJNGHDZQYKLGJHSGQZHXQGKEZZWYSCSCJXYEYXADZPMDSSMZJZQJYZCDJZWQJBDZBXGZNZCPWHWXHQKMWFBPBY"
    "DTJZZKQXYLYGXFPTYJYYZPSZLFCHMQSHGMXXSXJJSDCSBBQBEFSJYHXWGZKPYLQBGLDLCDTNMAYDDKSSNGYCSGXLYZAYPN"
    // DCA1-DDFE
    "PTSDKDYLHGYMYLCXPYCJNDQJWXQXFYYFJLEJPZRXCCQWQQSBZKYMGPLBMJRQCFLNYMYQMTQYRBCJTHZTQFRXQHXMQJCJMY"
    "XGJMSHZKBSWYEMYLTXFSYDSGLYCJQXSJNQBSCTYHBFTDCYZDJWYGHQFSXWCKQKXEBPTLPXJZSRMEBWHJLBJSLYYSMDXLCL"
    // DEA1-DFFE
    "QKXLHXJRZJMFQHXHWYWSBHTRXXGLHQHFNMNYKLDYXZPYLGGTMTCFPNJJZYMJTYANJGBJPLQGDZYQYAXBKYSECJSZNSMYZH"
    "ZXLZCGHPXZHZNYTDSBCJKDLZAYFMYTLEBBGQYZKGGLDNDNYSKJSHDLYXBCGHXYPKDJMMZNGMMCLGEZSZXZJFZNMLZZTHCS"
    // E0A1-E1FE
    "YDBDLLSCZDNLKJYKJSYCJLKWHQASDKNHCSGAEHDAASHTCPLCPQYBSDMPJLPCJOQLCDHJXYSPRCHNWJNMHLYYQYHWZPTCZG"
    "WWMZFFJQQQQYXACLBHKDJXDGMMYDQXZLLSYGXGKJRYWZWYCLZMSSJZLDBYDCPCXYHLXCHYZJQSFQAGMNYXPFRKSSBJLYXY"
    // E2A1-E3FE
    "SYGMNSCMHCWWMNZJJLXXHCHSYDSTTXRYCYXBYHCSMXJSZNPWGPXXTAYBGAJCXLYXDCCWZOCWKCCSBNHCPDYZNFCYYTYCKX"
    "KYBSQKKYTQQXFCWCHCYKELZQBSQYJQCCLMTHSYWHMKTLKJLYCXWHEQQHTQKZPQSQSCFYMMDMGBWHWLGSLLYSDLMMXPTHMJ"
    // E4A1-E5FE
    "HWLJZYHZJXHTXJLHXRSWLWZJCBXMHZQXSDZPMGFCSGLSXYMQSHXPJXWMYQKSMYPLRTHBXFTPMHYXLCHMHLZYLXGSSSSTCL"
    "SLDCLRPBHZHXYYFHBBGDMYCNQQWLQHJJZYWJZYEJJDHPBLQXTQKWHLCHQXAGTLXLJXMSLXHTZKZJECXJCJNMFBYCSFYWYB"
    // E6A1-E7FE
    "JZGNYSDZSQYRSLJPCLPWXSDWEJBJCBCNAYTWGMPAPCLYQPCLZXSBNMSGGFNZJJBZSFZYNTXHPLQKZCZWALSBCCJXJYZGWK"
    "YPSGXFZFCDKHJGXTLQFSGDSLQWZKXTMHSBGZMJZRGLYJBPMLMSXLZJQQHZYJCZYDJWBMJKLDDPMJEGXYHYMXHLQYQHKYCW"
    // E8A1-E9FE
    "CJMYYXNATJHYCCXZPCQLBZWWYTWSQCMLPMYRJCCCXFPZNZZLJPLXXYZTZLGDLTCKLYRZZGQTKJHHGJMJAXFGFJZSLCFDQZ"
    "MCLGJDJCSNZLLJPJQDCCLCJXMYZFTSXGCGSBRZXJQQCTZHGYQTJQQLZXJYLYLBCYAMCSTYLPDJBYREGKLZYZHLYSZQLZNW"
    // EAA1-EBFE
    "CYCYLWJQJJJKDGJZOLBBZPPGLGHTGZXYGHZMYCNQSYCYHBHGXKAMTXYXNBSKYZZGJZLQJDFCJXDYGJQJJPMGWGJJJPKQSB"
    "GBMMCJSSCLPQPDXCDYYKYFCJDDYYGYWRHJRTGZNYQLDKLJSZZGZQZJGDYKSHPZMTMCPWNJYFYZDJCNMWESCYGMBTZCGMSS"
    // ECA1-EDFE
    "LLYXYSXXBSJSBBSGGHFJLYPMZJNLYYWDQSHZXTYYWHMCYHYWDBXBTLMSYYYFSXJCSTXXLHJHFSSXZQHFZMZCZTQCXZXRTT"
    "DJHNNYZQQMTQDMMGYYTXMJGDHCDYZBFFALLZTDLTFXMXQZDNGWQDBDCZJDXBZGSQQDDJCMBKZFFXMKDMDSYYSZCMLJDAYN"
    // EEA1-EFFE
    "SPRSKMKMPCKLGDBQTFZSWTFGGLYPLLJZHGJJGYPZLTCSMCNBTJBQFKTHPYZGKPBBYMTDSSXTBNPDKLEYCJNYCDYKZDDHQH"
    "SDZSCTARLLTKZLGECMLKJLQJAQNBDKKGHPJTZQKSECSHALQFMMGJNLYJBBTMMYZXDCJPLDLPCQDHZYCBZSCZBZMSLJFLKR"
    // F0A1-F1FE
    "ZJSNFRGJHXPDHYJYBZGDLQCSEZGXMBLHYXTWMABCHECMWYJYZLLJJYHLGBDJLSLYGKDZPZXJYYZLWCXSZFGWYYDLYHCLJS"
    "CMBJHBMYZLYCBLYDPDQYSXQZBYTDKYXJYYCNRJMPDQGKLCLJBCTBJDDBBMBLCZQRPPXJCJLZCSHLTOLJNMDDDLNGKATHQH"
    // F2A1-F3FE
    "JHYKHEZNMSHRPHQQJCHGMFPRXHJGDYCHGKLYRZQLCYQJNZSQTKQJYMSZSWLCFQQQXYFGGYPTQWLMCRNFKKFSYYLQBMQAMM"
    "MYXCTPSHCPTXXZZSMPHPSHMCLMLDQFYQXSZYJDJJZZHQPDSZGLSTJBCKBXYQZJSGPSXQZQZRQTBDKYXZKHHGFLBCSMDLDG"
    // F4A1-F5FE
    "DZDBLZYYCXNNCSYBZBFGLZZXSWMSCCMQNJQSBDQSJTXXMBLTXZCLZSHZCXRQJGJYLXZFJPHYMZQQYDFQJQLZZNZJCDGZYG"
    "ZTXMZYSCTLKPHTXHTLBJXJLXSCDQXCBBTJFQZFSLTJBTKQBXXJJLJCHCZDBZJDCZJDCPRNPQCJPFCZLCLZXZDMXMPHJSGZ"
    // F6A1-F7FE
    "GSZZQLYLWTJPFSYAXMCJBTZYYCWMYTZSJJMQCQMWZMALBXYFBPNLSFHTGJWEJJXXGLLJSTGSHJQLZFKCGNNDSZFDEQFHBS"
    "AQTGYLBXMMYGSZLDYDQMJJRGBJTKGDHGKBLQKBDMBYLXWCXYTTYBKMRTJZXQJBHLMHMJJZMQASLDCYXYQDLQCAFYWYXQH"
    "Z";
constexpr int Level2Size = sizeof(Level2Letters) - 1;
static_assert(Level2Size == 3008);

// The code-page value as the signed 16-bit number the ranges above are written in.
int signedCode(QChar c) {
    const int code = gb18030::gbkCode(c);
    return code > 0xFF ? code - 0x10000 : code;
}

// The first letter of ICU's Han-Latin reading of a character the GBK tables leave out (䶮
// gives Y), or the character itself where ICU has no reading. Each character is asked once.
QChar transliteratedInitial(QChar c) {
    static QMutex mutex;
    static QHash<char16_t, QChar> known;
    const QMutexLocker lock(&mutex);
    const auto found = known.constFind(c.unicode());
    if (found != known.cend())
        return *found;
    static const std::unique_ptr<icu::Transliterator> toLatin = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> made(
            icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    QChar initial = c;
    if (toLatin) {
        icu::UnicodeString reading(static_cast<UChar>(c.unicode()));
        toLatin->transliterate(reading);
        const QChar first(static_cast<char16_t>(reading.length() > 0 ? reading.charAt(0) : 0));
        if (first.isLetter() && first.unicode() < 0x80)
            initial = first.toUpper();
    }
    known.insert(c.unicode(), initial);
    return initial;
}

QChar tableInitialOf(QChar c) {
    const auto exception = std::char_traits<char16_t>::find(
        ExceptionCharacters, std::size(ExceptionCharacters) - 1, c.unicode());
    if (exception)
        return QLatin1Char(ExceptionLetters[exception - ExceptionCharacters]);

    const int v = signedCode(c);
    if (v >= Level1Ranges.front().first && v <= Level1Last) {
        const auto next = std::upper_bound(
            Level1Ranges.begin(), Level1Ranges.end(), v,
            [](int value, const Level1Range& range) { return value < range.first; });
        return QLatin1Char(std::prev(next)->letter);
    }
    if (v < Level2First || v > Level2Last)
        return c;
    // Row and column of the 94-wide table; a GBK code with a trail byte below A1 falls on a
    // neighbouring entry, and one whose place lies beyond the table keeps its character.
    const int position = (v + 10080) - ((v + 10079) / 256) * 162;
    if (position < 1 || position > Level2Size)
        return c;
    return QLatin1Char(Level2Letters[position - 1]);
}

QChar initialOf(QChar c) {
    const QChar initial = tableInitialOf(c);
    // Below the CJK radicals nothing is Han: most of a name typed or listed is ASCII.
    constexpr char16_t FirstHanBlock = 0x2E80;
    if (initial != c || c.unicode() < FirstHanBlock || c.script() != QChar::Script_Han)
        return initial;
    return transliteratedInitial(c);
}

} // namespace

QString getInitials(QStringView text) {
    QString initials;
    initials.reserve(text.size());
    for (const QChar c : text)
        initials.append(initialOf(c));
    return initials;
}

} // namespace ordalis
