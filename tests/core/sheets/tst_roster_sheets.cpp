// SPDX-License-Identifier: GPL-3.0-or-later
// Rosters read from the files schools keep: a .csv that a Chinese Excel saved, an .ods written
// by another program, and hostile files that must be refused whole, within the import's bounds.

#include "OpenpyxlReader.h"
#include "sheets/RosterSheet.h"
#include "sheets/SheetFile.h"
#include "text/Gb18030.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ordalis;
using namespace ordalis::sheets;

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList reasons(const RosterPreview& preview) {
    QStringList texts;
    for (const LeftOut& item : preview.leftOut)
        texts << QStringLiteral("%1 %2 %3").arg(item.row).arg(item.text, item.reason);
    return texts;
}

// Writes a zip archive with Python's zipfile: entries given as name, text pairs after the path;
// "{100MB}" in a text stands for a hundred megabytes of blanks.
bool writeZip(const QString& path, const QStringList& entries, QString* error) {
    static const QString script = QString::fromUtf8(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    for name, text in zip(sys.argv[2::2], sys.argv[3::2]):
        z.writestr(name, text.replace('{100MB}', ' ' * (100 << 20)))
)");
    return test::runPython(script, QStringList{path} + entries, error).has_value();
}

// The parts of the hostile files.
const char WorkbookPart[] =
    R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>)";
const char WorkbookRelationships[] =
    R"(<Relationships><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)";
const char EntitiesSheet[] =
    R"(<?xml version="1.0"?><!DOCTYPE w [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]><worksheet><sheetData><row><c t="inlineStr"><is><t>&b;</t></is></c></row></sheetData></worksheet>)";
const char RepeatedCells[] =
    R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet><table:table table:name="S"><table:table-row table:number-rows-repeated="1048576"><table:table-cell table:number-columns-repeated="1024"><text:p>x</text:p></table:table-cell></table:table-row></table:table></office:spreadsheet></office:body></office:document-content>)";

// Writes a workbook that keeps within each bound part by part and passes one in total
// (tests/core/sheets/many_small_parts.py says how).
bool writeManySmallParts(const QString& path, const QString& kind, QString* error) {
    QFile script(QStringLiteral(QT_TESTCASE_SOURCEDIR "/core/sheets/many_small_parts.py"));
    if (!script.open(QIODevice::ReadOnly)) {
        *error = script.errorString();
        return false;
    }
    return test::runPython(QString::fromUtf8(script.readAll()), {path, kind}, error).has_value();
}

} // namespace

class RosterSheetsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // GB18030 with CR LF and semicolons, as a Chinese Excel saves "CSV": the 姓名 column below
    // its header; a quoted field holds the separator; a student number, an empty cell, a
    // duplicate (in the file and in the class already) and a "|" are left out with the reason.
    void csvOfAChineseExcel() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("名单.csv"));
        QVERIFY(writeBytes(path, gb18030::encode(u"学号;姓名;备注\r\n"
                                                 u"1;张 三;\"班长;数学\"\r\n"
                                                 u"2;李堃;\r\n"
                                                 u"3;;转学\r\n"
                                                 u";;\r\n"
                                                 u"4;20230105;\r\n"
                                                 u"5;张三;\r\n"
                                                 u"6;王五;\r\n"
                                                 u"7;赵|六;\r\n")));
        const Workbook book = readSheetFile(path);
        QVERIFY2(book, qPrintable(book.why()));
        QCOMPARE(book->size(), 1);
        QCOMPARE((*book)[0].name, QStringLiteral("名单"));
        const RosterPreview preview = previewRoster((*book)[0], {QStringLiteral("王五")});
        QCOMPARE(preview.column, 1);
        QCOMPARE(preview.header, 1);
        QCOMPARE(preview.names, QStringList({"张三", "李堃"}));
        QCOMPARE(reasons(preview),
                 QStringList({"4  空白", "6 20230105 数字，不是姓名", "7 张三 重复", "8 王五 重复",
                              "9 赵|六 含有无法保存的字符“|”"}));
    }

    // An .xlsx as openpyxl writes it (as Excel does, a date is a number in a date style; and a
    // formula keeps no result): the date, the number and the formula are each called by name.
    void xlsxDatesAndFormulasAreNamed() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("名单.xlsx"));
        QString error;
        QVERIFY2(test::runPython(QStringLiteral(R"(
import sys, datetime, openpyxl
book = openpyxl.Workbook()
sheet = book.active
for row in [["姓名"], ["张三"], [datetime.date(2013, 6, 5)], ["=A2&A2"], [20230105],
            [datetime.time(8, 30)]]:
    sheet.append(row)
sheet["A7"].number_format = "hh:mm"
book.save(sys.argv[1])
)"),
                                 {path}, &error)
                     .has_value(),
                 qPrintable(error));
        const Workbook book = readSheetFile(path);
        QVERIFY2(book, qPrintable(book.why()));
        const RosterPreview preview = previewRoster(book->value(0), {});
        QCOMPARE(preview.names, QStringList{QStringLiteral("张三")});
        QStringList why;
        for (const LeftOut& item : preview.leftOut)
            why << QStringLiteral("%1 %2").arg(item.row).arg(item.reason.section(u'，', 0, 0));
        QCOMPARE(why, QStringList({"3 日期", "4 公式", "5 数字", "6 日期"}));
    }

    // An .ods as another program writes it: the sheet ends in a million repeated empty rows,
    // a name cell is repeated over two columns of another column, a merged area covers
    // cells, a comment hangs on a name; the names column is the one with the most text, as
    // nothing heads it.
    void odsWithRepeatsAndMerges() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("roster.ods"));
        const QString content = QString::fromUtf8(R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>
<table:table table:name="一班">
 <table:table-row><table:table-cell office:value-type="float"><text:p>1</text:p></table:table-cell>
  <table:table-cell office:value-type="string"><office:annotation><text:p>班长</text:p></office:annotation><text:p>陈<text:span>一</text:span></text:p></table:table-cell>
  <table:table-cell table:number-columns-spanned="2"><text:p>合并</text:p></table:table-cell><table:covered-table-cell/></table:table-row>
 <table:table-row table:number-rows-repeated="3"><table:table-cell table:number-columns-repeated="16384"/></table:table-row>
 <table:table-row><table:table-cell office:value-type="float"><text:p>2</text:p></table:table-cell>
  <table:table-cell><text:p>林二</text:p></table:table-cell></table:table-row>
 <table:table-row><table:table-cell office:value-type="float"><text:p>3</text:p></table:table-cell>
  <table:table-cell table:formula="of:=[.A1]"><text:p>林二</text:p></table:table-cell></table:table-row>
 <table:table-row table:number-rows-repeated="1048570"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>
</table:table>
<table:table table:name="二班"><table:table-row><table:table-cell><text:p>姓名</text:p></table:table-cell></table:table-row>
 <table:table-row><table:table-cell><text:p>周三</text:p></table:table-cell></table:table-row></table:table>
</office:spreadsheet></office:body></office:document-content>)");
        QString error;
        QVERIFY2(writeZip(path,
                          {QStringLiteral("mimetype"),
                           QStringLiteral("application/vnd.oasis.opendocument.spreadsheet"),
                           QStringLiteral("content.xml"), content},
                          &error),
                 qPrintable(error));
        const Workbook book = readSheetFile(path);
        QVERIFY2(book, qPrintable(book.why()));
        QCOMPARE(book->size(), 2);
        QCOMPARE((*book)[1].name, QStringLiteral("二班"));
        const RosterPreview first = previewRoster((*book)[0], {});
        QCOMPARE(first.column, 1);
        QCOMPARE(first.header, 0);
        QCOMPARE(first.names, QStringList({"陈一", "林二"}));
        QCOMPARE(reasons(first), QStringList({"6 林二 公式，请在表格程序中改为文字"}));
        QCOMPARE(previewRoster((*book)[1], {}).names, QStringList({"周三"}));
    }

    // Each refused with its 提示 and no sheet: a zip bomb, entities that multiply, cells
    // repeated past the bounds, a file too large, a file that is no archive, an old .xls.
    void hostileFilesAreRefused() {
        QTemporaryDir folder;
        const auto workbookParts = [](const QString& sheet) {
            return QStringList{QStringLiteral("xl/workbook.xml"),
                               QString::fromUtf8(WorkbookPart),
                               QStringLiteral("xl/_rels/workbook.xml.rels"),
                               QString::fromUtf8(WorkbookRelationships),
                               QStringLiteral("xl/worksheets/sheet1.xml"),
                               sheet};
        };
        QString error;
        const QString bomb = folder.filePath(QStringLiteral("bomb.xlsx"));
        QVERIFY2(writeZip(bomb,
                          workbookParts(QStringLiteral("<worksheet><sheetData>{100MB}"
                                                       "</sheetData></worksheet>")),
                          &error),
                 qPrintable(error));
        const QString laughs = folder.filePath(QStringLiteral("laughs.xlsx"));
        QVERIFY(writeZip(laughs, workbookParts(QString::fromUtf8(EntitiesSheet)), &error));
        const QString repeats = folder.filePath(QStringLiteral("repeats.ods"));
        QVERIFY(writeZip(repeats, {QStringLiteral("content.xml"), QString::fromUtf8(RepeatedCells)},
                         &error));
        const QString large = folder.filePath(QStringLiteral("large.csv"));
        QVERIFY(writeBytes(large, QByteArray(17 << 20, 'a')));
        const QString noArchive = folder.filePath(QStringLiteral("名单.xlsx"));
        QVERIFY(writeBytes(noArchive, "PK\x03\x04 not really a workbook"));
        const QString old = folder.filePath(QStringLiteral("old.xls"));
        QVERIFY(writeBytes(old, "\xD0\xCF\x11\xE0"));

        const QList<std::pair<QString, QString>> refused = {
            {bomb, QStringLiteral("解压后的内容超过16 MB")},
            {laughs, QStringLiteral("文档类型声明")},
            {repeats, QStringLiteral("超过200000个单元格")},
            {large, QStringLiteral("文件超过16 MB")},
            {noArchive, QStringLiteral("文件已损坏")},
            {old, QStringLiteral("另存为.xlsx")}};
        for (const auto& [path, reason] : refused) {
            const Workbook book = readSheetFile(path);
            QVERIFY2(book.why().contains(reason), qPrintable(path + u':' + book.why()));
            QVERIFY(book.why().startsWith(QStringLiteral("无法导入“")));
        }
    }

    // Bounds hold for the whole file, not only for each part: many small parts that together
    // pass one are refused with its reason.
    void manySmallPartsAreRefusedInTotal_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("entries") << "entries" << QStringLiteral("压缩包中的文件太多（超过2000个）");
        QTest::newRow("bytes") << "bytes" << QStringLiteral("解压后的内容超过32 MB");
        QTest::newRow("cells") << "cells" << QStringLiteral("超过200000个单元格");
        QTest::newRow("odscells") << "odscells" << QStringLiteral("超过200000个单元格");
    }
    void manySmallPartsAreRefusedInTotal() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path =
            folder.filePath(kind + QLatin1String(kind.startsWith(u"ods") ? ".ods" : ".xlsx"));
        QString error;
        QVERIFY2(writeManySmallParts(path, kind, &error), qPrintable(error));
        const Workbook book = readSheetFile(path);
        QVERIFY2(book.why().contains(reason), qPrintable(book.why()));
    }
};

QTEST_GUILESS_MAIN(RosterSheetsTest)
#include "tst_roster_sheets.moc"
