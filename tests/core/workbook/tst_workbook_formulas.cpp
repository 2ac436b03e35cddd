// SPDX-License-Identifier: GPL-3.0-or-later
// Names and remarks that look like formulas stay text in both exported files; numbers stay
// numbers. The .xlsx is read back by openpyxl, which tells a formula from a text.
#include "OpenpyxlReader.h"
#include "workbook/WorkbookFiles.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

using namespace ordalis;

class WorkbookFormulasTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textThatLooksLikeAFormulaStaysText() {
        const QStringList hostile = {"=1+1", "+SUM(A1)", "-2+3",          "@cmd",
                                     "\t=x", "\r=x",     "=HYPERLINK(1)", "张三"};
        workbook::ClassWorkbook book{QStringLiteral("一班"), {}, {}, {}, {}};
        for (const QString& text : hostile)
            book.scores.append({text, QStringLiteral("2024-03-15 08:01:02"), -2, text, text});

        // In the .csv each such field begins with an apostrophe; the score stays "-2".
        const QString csv = QString::fromUtf8(workbook::toCsv(book));
        for (const QString& text : hostile) {
            const QString field = text.startsWith(u'\r') ? "\"'" + text + u'"' : u'\'' + text;
            const QString line = "2024-03-15,08:01:02," + field + ",-2," + field + u',' + field;
            if (text == u"张三")
                QVERIFY(csv.contains(QStringLiteral("08:01:02,张三,-2,张三,张三")));
            else
                QVERIFY2(csv.contains(line), qPrintable(text));
        }

        // In the .xlsx every such cell is a text cell and the score a number.
        const Expected<QByteArray> written = workbook::toXlsx(book);
        QVERIFY2(written, qPrintable(written.why()));
        const QByteArray& xlsx = *written;
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("book.xlsx")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(xlsx) == xlsx.size());
        file.close();
        QString error;
        const auto types = test::runPython(QStringLiteral(R"(
import json, sys, openpyxl
sheet = openpyxl.load_workbook(sys.argv[1])[sys.argv[2]]
print(json.dumps([[[c.data_type, c.value] for c in row[2:]] for row in sheet.iter_rows(min_row=2)]))
)"),
                                           {file.fileName(), workbook::ScoresSheet}, &error);
        QVERIFY2(types, qPrintable(error));
        const QJsonArray rows = QJsonDocument::fromJson(*types).array();
        QCOMPARE(rows.size(), hostile.size());
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const QJsonArray cells = rows[r].toArray();
            for (int c : {0, 2, 3}) {
                QCOMPARE(cells[c][0].toString(), QStringLiteral("s"));
                // openpyxl leaves the file's escape of a CR as it is written.
                QCOMPARE(
                    cells[c][1].toString().replace(QStringLiteral("_x000D_"), QStringLiteral("\r")),
                    hostile[r]);
            }
            QCOMPARE(cells[1][0].toString(), QStringLiteral("n"));
            QCOMPARE(cells[1][1].toDouble(), -2.0);
        }
    }
};

QTEST_GUILESS_MAIN(WorkbookFormulasTest)
#include "tst_workbook_formulas.moc"
