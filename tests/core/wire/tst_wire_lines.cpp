// SPDX-License-Identifier: GPL-3.0-or-later
// Every line kind of the protocol read from its text and written back: the fields by name, the
// leniency of each reader (missing fields empty, extra ones ignored, or the line refused), and
// GB18030 bytes that come back unchanged, rare characters included.
#include "text/Gb18030.h"
#include "wire/BatchLine.h"
#include "wire/CallLine.h"
#include "wire/CallRecord.h"
#include "wire/LineFields.h"
#include "wire/RecordLines.h"
#include "wire/ReplyLines.h"
#include "wire/ScoreLine.h"
#include "wire/ScoreRecord.h"
#include "wire/StandardLine.h"
#include "wire/TeacherData.h"

#include <QtTest>

using namespace ordalis;

namespace {

QStringList members(const ScoreLine& l) {
    return {l.className, l.student, l.score, l.time, l.standard};
}
QStringList members(const CallLine& l) {
    return {l.className, l.student, l.time, l.how};
}
QStringList members(const CallRecord& l) {
    return {l.student, l.time, l.how};
}
QStringList members(const ScoreRecord& l) {
    return {l.id, l.student, l.value, l.time, l.topic, l.standard};
}
QStringList members(const StandardLine& l) {
    return {l.id, l.text, l.score};
}
QStringList members(const StudentLine& l) {
    return {l.className, l.name, l.group, l.total, l.scoreText, l.countText};
}
QStringList members(const TeacherData& l) {
    return {l.name, l.account, l.email};
}
QStringList members(const BatchLine& l) {
    return {l.batchId, l.kind == BatchLine::Kind::Score ? "s" : "c", l.line};
}
QStringList members(const ClassListLine& l) {
    return l.classes;
}
QStringList members(const TopicLine& l) {
    QStringList all{l.name};
    for (const ScaleStandard& standard : l.standards)
        all << standard.text << standard.score;
    return all;
}

template <typename Line> std::optional<Line> parsed(const Line& line) {
    return line;
}
template <typename Line> std::optional<Line> parsed(const std::optional<Line>& line) {
    return line;
}

struct Case {
    QString text;       // as decoded from its GB18030 bytes
    QStringList fields; // the members read, in declaration order; empty: refused
    QString written;    // the members written back; the text itself when empty
};

// Reads each case from bytes, compares its members, writes it back and encodes it again.
template <typename Line> void check(const QList<Case>& cases) {
    for (const Case& c : cases) {
        const QByteArray bytes = gb18030::encode(c.text);
        const auto line = parsed(Line::fromText(gb18030::decode(bytes)));
        if (c.fields.isEmpty()) {
            QVERIFY2(!line, qPrintable(c.text));
            continue;
        }
        QVERIFY2(line, qPrintable(c.text));
        QCOMPARE(members(*line), c.fields);
        const QString written = c.written.isEmpty() ? c.text : c.written;
        QCOMPARE(gb18030::encode(line->toText()), gb18030::encode(written));
    }
}

} // namespace

class WireLinesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tabLinesKeepTheirFieldsByName() {
        check<ScoreLine>({
            {"一班\t王䶮\t3分\t2024-03-15 08:00:00\t思路清晰",
             {"一班", "王䶮", "3分", "2024-03-15 08:00:00", "思路清晰"},
             {}},
            {"一班\t王䶮\t3分\t2024-03-15 08:00:00\t",
             {"一班", "王䶮", "3分", "2024-03-15 08:00:00", ""},
             {}},
            // Missing fields are empty and written back; extra ones are dropped.
            {"一班\t王䶮\t3分\t2024-03-15 08:00:00",
             {"一班", "王䶮", "3分", "2024-03-15 08:00:00", ""},
             "一班\t王䶮\t3分\t2024-03-15 08:00:00\t"},
            {"一班\t王䶮\t3\tt\t标准\t多余",
             {"一班", "王䶮", "3", "t", "标准"},
             "一班\t王䶮\t3\tt\t标准"},
            {"没有制表符", {"没有制表符", "", "", "", ""}, "没有制表符\t\t\t\t"},
        });
        check<CallLine>({
            {"一班\t王䶮\t2024-03-15 08:00:00\t拼音",
             {"一班", "王䶮", "2024-03-15 08:00:00", "拼音"},
             {}},
            {"一班\t王䶮", {"一班", "王䶮", "", ""}, "一班\t王䶮\t\t"},
            {"一班\t王䶮\tt\t手动\tx", {"一班", "王䶮", "t", "手动"}, "一班\t王䶮\tt\t手动"},
        });
        check<CallRecord>({
            {"王䶮\t2024-03-15 08:00:00\t所有", {"王䶮", "2024-03-15 08:00:00", "所有"}, {}},
            {"王䶮", {"王䶮", "", ""}, "王䶮\t\t"},
        });
        check<ScoreRecord>({
            {"7\t王䶮\t4.5\t2024-03-15 08:00:00\t函数\t",
             {"7", "王䶮", "4.5", "2024-03-15 08:00:00", "函数", ""},
             {}},
            {"7\t王䶮\t4.5\tt", {"7", "王䶮", "4.5", "t", "", ""}, "7\t王䶮\t4.5\tt\t\t"},
        });
        check<StandardLine>({
            {"12\t回答完全正确\t4.5", {"12", "回答完全正确", "4.5"}, {}},
            {"12\t回答\t4.5\t多余", {"12", "回答", "4.5"}, "12\t回答\t4.5"},
        });
        check<StudentLine>({
            {"一班\t王䶮\t3\t12.5\t2.5\t5", {"一班", "王䶮", "3", "12.5", "2.5", "5"}, {}},
            {"一班\t王䶮\t3", {"一班", "王䶮", "3", "", "", ""}, "一班\t王䶮\t3\t\t\t"},
        });
        QCOMPARE(fieldCount(u"一班\t王䶮\t3\t"), 4);
        QCOMPARE(fieldCount(u"没有制表符"), 1);
    }

    void recordAndReplyLinesKeepTheirShape() {
        check<ClassListLine>({
            {"Class_Is_Ready\t一班\t王䶮班\t", {"一班", "王䶮班"}, {}},
            // The text after the last TAB is the line's end, never a class.
            {"Class_Is_Ready\t一班\t尾", {"一班"}, "Class_Is_Ready\t一班\t"},
        });
        QVERIFY(ClassListLine::fromText("Class_Is_Ready\t").classes.isEmpty());
        QVERIFY(ClassListLine::fromText("Class_Is_Ready").classes.isEmpty());
        check<TopicLine>({
            {"[keti]\t函数\t王䶮式\t5\t基本正确\t3", {"函数", "王䶮式", "5", "基本正确", "3"}, {}},
            {"[keti]\t函数", {"函数"}, {}},
            // An odd last field has no partner and is no standard.
            {"[keti]\t函数\t正确\t5\t", {"函数", "正确", "5"}, "[keti]\t函数\t正确\t5"},
            {"[keti]", {}, {}},
        });
        check<TeacherData>({
            {"王䶮\r\nteacher01\r\nt@example.com", {"王䶮", "teacher01", "t@example.com"}, {}},
            {"王䶮\r\n\r\n", {"王䶮", "", ""}, {}},
            {"王䶮\r\nteacher01\r\nt@example.com\r\n", {}, {}},
            {"王䶮\r\nteacher01", {}, {}},
        });
        check<BatchLine>({
            {"b1\ts\t一班\t王䶮\t3分\tt\t", {"b1", "s", "一班\t王䶮\t3分\tt\t"}, {}},
            {"b1\tc\t一班\t王䶮\tt\t手动", {"b1", "c", "一班\t王䶮\tt\t手动"}, {}},
            {"b1\tc", {"b1", "c", ""}, "b1\tc\t"},
            {"b1\tx\t一班", {}, {}},
            {"\ts\t一班", {}, {}},
        });
        QCOMPARE(replyLines("a\r\n\r\nb\r\n"), (QStringList{"a", "b"}));
        QCOMPARE(replyText({"a", "b"}), QStringLiteral("a\r\nb"));
    }
};

QTEST_GUILESS_MAIN(WireLinesTest)
#include "tst_wire_lines.moc"
