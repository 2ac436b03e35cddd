// SPDX-License-Identifier: GPL-3.0-or-later
// .ods: all sheets are tables of content.xml. Rows and cells may stand for many ("repeated"),
// which is how a sheet says that it ends in a million empty rows: empty ones only move the
// position, a repeated cell with a value counts once per repetition.

#include "sheets/SheetBuilder.h"
#include "sheets/SheetLimits.h"
#include "sheets/WorkbookReaders.h"
#include "sheets/XmlPart.h"
#include "sheets/ZipArchive.h"

namespace ordalis::sheets {

namespace {

constexpr qint64 MaxRepeat = 1 << 20; // a sheet's rows; more columns than this no sheet has
const QString TableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString OfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");

qint64 repeated(const QXmlStreamAttributes& attributes, QLatin1String name) {
    bool ok = false;
    const qint64 count = attributes.value(TableNs, name).toLongLong(&ok);
    return ok && count > 0 ? std::min(count, MaxRepeat) : 1;
}

Cell::Kind kindOf(const QXmlStreamAttributes& attributes) {
    if (attributes.hasAttribute(TableNs, QStringLiteral("formula")))
        return Cell::Kind::Formula;
    const QStringView type = attributes.value(OfficeNs, QLatin1String("value-type"));
    if (type == u"date" || type == u"time")
        return Cell::Kind::Date;
    return type.isEmpty() || type == u"string" ? Cell::Kind::Text : Cell::Kind::Number;
}

} // namespace

Workbook readOds(const QByteArray& bytes) {
    ZipArchive zip(bytes);
    const Expected<QByteArray> content = zip.read(QStringLiteral("content.xml"));
    if (!content)
        return content.refusal();
    QList<Sheet> sheets;
    qint64 budget = MaxCells;
    std::optional<SheetBuilder> sheet;
    qint64 row = 0;
    qint64 rowRepeats = 1;
    int column = 0;
    QList<Cell> rowCells;
    XmlPart reader(*content);
    while (reader.nextToken()) {
        const QStringView name = reader.name();
        if (reader.isStartElement()) {
            const auto attributes = reader.attributes();
            if (name == u"table") {
                if (sheets.size() >= MaxSheets)
                    return refusal(QStringLiteral("工作表太多（超过%1个）").arg(MaxSheets));
                sheet.emplace(attributes.value(TableNs, QLatin1String("name")).toString(), budget);
                row = 0;
            } else if (name == u"table-row" && sheet) {
                rowRepeats = repeated(attributes, QLatin1String("number-rows-repeated"));
                rowCells.clear();
                column = 0;
            } else if ((name == u"table-cell" || name == u"covered-table-cell") && sheet) {
                const qint64 repeats =
                    repeated(attributes, QLatin1String("number-columns-repeated"));
                const Cell::Kind kind = kindOf(attributes);
                const QString text = reader.elementText(u"p", u"annotation");
                for (qint64 k = 0; k < repeats && !text.trimmed().isEmpty(); ++k) {
                    if (rowCells.size() >= MaxCells)
                        return refusal(tooManyCells());
                    rowCells.append(Cell{int(column + k), kind, text});
                }
                column = int(std::min<qint64>(column + repeats, MaxRepeat));
            }
        } else if (reader.isEndElement() && sheet) {
            if (name == u"table-row") {
                for (qint64 k = 0; k < rowRepeats && !rowCells.isEmpty() && !sheet->overBudget();
                     ++k)
                    for (const Cell& cell : std::as_const(rowCells))
                        sheet->add(row + k + 1, cell.column, cell.kind, cell.text);
                row += rowRepeats;
            } else if (name == u"table") {
                if (sheet->overBudget())
                    return refusal(tooManyCells());
                sheets.append(sheet->take());
                sheet.reset();
            }
        }
    }
    if (!reader.outcome())
        return reader.outcome().refusal();
    if (sheet && sheet->overBudget())
        return refusal(tooManyCells());
    return sheets;
}

} // namespace ordalis::sheets
