// SPDX-License-Identifier: GPL-3.0-or-later
// The console's windowless rules: names typed into an add box, the import of student files
// saved by any editor, the service's list replies, score boxes and times, launcher files.

#include "console/Launcher.h"
#include "console/NameLists.h"
#include "console/RosterFile.h"
#include "console/ServiceLists.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QTest>

using namespace ordalis;
using namespace ordalis::console;

class ConsoleListsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Spaces go before the duplicate test, so "一 班" is the class "一班" already listed; a
    // name typed twice is added once; any line end separates names; names the service cannot
    // store are found.
    void typedNamesAreAddedOnce() {
        QStringList list{"一班"};
        const QStringList names = typedNames(u"一 班\r\n 二班 \n\n三班\r二班\r\n   \r\n");
        QCOMPARE(names, QStringList({"一班", "二班", "三班", "二班"}));
        const AddedNames counts = appendNew(list, names);
        QCOMPARE(list, QStringList({"一班", "二班", "三班"}));
        QCOMPARE(counts.added, 2);
        QCOMPARE(counts.duplicates, 2);

        QVERIFY(checkNamesFit({"一班", "二班"}));
        QVERIFY(checkNamesFit({"一班", "A|B", "C&D"}).why().contains(QStringLiteral("“A|B”")));
        for (const char* unfit : {"a=b", "a\tb", "a\rb", "a\nb", "a&b"})
            QVERIFY(!checkNamesFit({QString::fromLatin1(unfit)}));
    }

    // UTF-8 with or without a byte-order mark, GBK otherwise; CR LF, LF and CR end lines.
    void rosterFilesOfAnyEditorAreRead() {
        const QStringList names{"张三", "李四", "王五"};
        QCOMPARE(rosterFileLines("\xEF\xBB\xBF" + QString("张三\r\n李四\r\n王五\r\n").toUtf8()),
                 names);
        QCOMPARE(rosterFileLines(QString("张三\n李四\n王五").toUtf8()), names);
        QCOMPARE(rosterFileLines(gb18030::encode(u"张三\r李四\r王五\r")), names);
        QCOMPARE(rosterFileLines(gb18030::encode(u"张三\r\n李四\r\n王五")), names);
        QCOMPARE(rosterFileLines(QByteArray()), QStringList());
    }

    void serviceRepliesAreRead() {
        QCOMPARE(numberText(u"3.50"), QStringLiteral("3.5"));
        QCOMPARE(numberText(u"5分"), QStringLiteral("5"));
        QCOMPARE(numberText(u"优"), QStringLiteral("0"));

        // The first moment of wire time is a date; a text that is none has no time at all.
        QCOMPARE(readWireTime(QStringLiteral("1970-1-1 08:00:00")), std::optional<qint32>(0));
        QCOMPARE(readWireTime(QStringLiteral("2013-3-15")), std::optional<qint32>(1363276800));
        QCOMPARE(readWireTime(QStringLiteral("昨天")), std::nullopt);
    }

    // The score and standard lists show a line's fields under their headers, in their order,
    // the identifier left out.
    void listColumnsShowTheirFields() {
        const auto shown = [](auto columns, const auto& row) {
            QStringList texts;
            for (int column = 0; column < decltype(columns)::Count; ++column)
                texts << decltype(columns)::header(column) + u'=' +
                             decltype(columns)::text(row, column);
            return texts;
        };
        QCOMPARE(shown(ScoreRecordColumns{},
                       ScoreRecord::fromText(QStringLiteral("7\t张三\t3.5\tt\t函数\t标"))),
                 (QStringList{"日期=t", "学生=张三", "分数=3.5", "课题=函数", "评分标准=标"}));
        QCOMPARE(shown(StandardColumns{}, StandardLine::fromText(QStringLiteral("9\t清楚\t4"))),
                 (QStringList{"标准=清楚", "分值=4"}));
    }

    // The launcher starts exactly the running executable, whatever its path holds.
    void launcherStartsTheExecutable() {
        const QString text = launcherText(QStringLiteral("/opt/my apps/100%/ord\"alis$"),
                                          QStringLiteral("Ordalis"), QStringLiteral("ordalis"));
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(text.contains(QStringLiteral("\nType=Application\n")));
        QVERIFY(text.contains(QStringLiteral("\nName=Ordalis\n")));
        QVERIFY(text.contains(QStringLiteral("\nIcon=ordalis\n")));
        QVERIFY(
            text.contains(QStringLiteral("\nExec=\"/opt/my apps/100%%/ord\\\\\"alis\\\\$\"\n")));
    }
};

QTEST_GUILESS_MAIN(ConsoleListsTest)
#include "tst_console_lists.moc"
