// SPDX-License-Identifier: GPL-3.0-or-later
// .xlsx: the package relationships name the workbook part, the workbook lists its sheets by
// relationship id, and each worksheet's cells refer to the shared strings by number.

#include "sheets/SheetBuilder.h"
#include "sheets/SheetLimits.h"
#include "sheets/WorkbookReaders.h"
#include "sheets/XmlPart.h"
#include "sheets/ZipArchive.h"

#include <QDir>
#include <QHash>
#include <QSet>

namespace ordalis::sheets {

namespace {

struct Relationship {
    QString type; // the last segment of its type URI: "worksheet", "sharedStrings"
    QString target;
};

// The folder of a part, for the targets its relationships name relative to it.
QString folderOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash + 1);
}

QString resolve(const QString& folder, const QString& target) {
    if (target.startsWith(u'/'))
        return target.mid(1);
    return QDir::cleanPath(folder + target);
}

// The XML of a part the archive need not have, empty when it has none, or why it cannot be
// read.
Expected<QByteArray> optionalPart(ZipArchive& zip, const QString& name) {
    if (name.isEmpty() || !zip.contains(name))
        return QByteArray();
    return zip.read(name);
}

// Relationships of `part` by id, targets resolved against the part's folder.
Expected<QHash<QString, Relationship>> relationships(ZipArchive& zip, const QString& part) {
    const QString folder = folderOf(part);
    const QString relsName =
        folder + QStringLiteral("_rels/") + part.mid(folder.size()) + QStringLiteral(".rels");
    const Expected<QByteArray> xml = optionalPart(zip, relsName);
    if (!xml)
        return xml.refusal();
    QHash<QString, Relationship> found;
    if (xml->isEmpty())
        return found;
    XmlPart reader(*xml);
    while (reader.nextToken()) {
        if (reader.isStartElement() && reader.name() == u"Relationship") {
            const auto attributes = reader.attributes();
            const QString type = attributes.value(QLatin1String("Type")).toString();
            found.insert(attributes.value(QLatin1String("Id")).toString(),
                         {type.mid(type.lastIndexOf(u'/') + 1),
                          resolve(folder, attributes.value(QLatin1String("Target")).toString())});
        }
    }
    if (!reader.outcome())
        return reader.outcome().refusal();
    return found;
}

Expected<QStringList> sharedStrings(ZipArchive& zip, const QString& part) {
    const Expected<QByteArray> xml = optionalPart(zip, part);
    if (!xml)
        return xml.refusal();
    QStringList strings;
    if (xml->isEmpty())
        return strings;
    XmlPart reader(*xml);
    while (reader.nextToken()) {
        if (reader.isStartElement() && reader.name() == u"si") {
            if (strings.size() >= MaxCells)
                return refusal(tooManyCells());
            // Rich text runs are joined; the phonetic guide above the characters is no part.
            strings.append(reader.elementText(u"t", u"rPh"));
        }
    }
    if (!reader.outcome())
        return reader.outcome().refusal();
    return strings;
}

// Whether a number format shows a day or a time: Excel's own formats 14 to 22 and 45 to 47, or
// a format of the file's own with a year, day, hour or second in it (outside quoted text and
// [colour] or [$-locale] parts).
bool isDateFormat(int id, const QHash<int, QString>& ownFormats) {
    if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47))
        return true;
    bool quoted = false;
    bool bracketed = false;
    for (const QChar c : ownFormats.value(id)) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'[' || c == u']'))
            bracketed = c == u'[';
        else if (!quoted && !bracketed && QStringView(u"yYdDhHsS").contains(c))
            return true;
    }
    return false;
}

// The cell styles (by index, as cells name them) that show a date or a time.
Expected<QSet<int>> dateStyles(ZipArchive& zip, const QString& part) {
    const Expected<QByteArray> xml = optionalPart(zip, part);
    if (!xml)
        return xml.refusal();
    QSet<int> dates;
    if (xml->isEmpty())
        return dates;
    QHash<int, QString> ownFormats;
    bool inCellStyles = false;
    int style = 0;
    XmlPart reader(*xml);
    while (reader.nextToken()) {
        if (reader.isEndElement() && reader.name() == u"cellXfs")
            inCellStyles = false;
        if (!reader.isStartElement())
            continue;
        const auto attributes = reader.attributes();
        if (reader.name() == u"numFmt") {
            if (ownFormats.size() < MaxCells)
                ownFormats.insert(attributes.value(QLatin1String("numFmtId")).toInt(),
                                  attributes.value(QLatin1String("formatCode")).toString());
        } else if (reader.name() == u"cellXfs") {
            inCellStyles = true;
        } else if (inCellStyles && reader.name() == u"xf") {
            if (isDateFormat(attributes.value(QLatin1String("numFmtId")).toInt(), ownFormats))
                dates.insert(style);
            if (++style > MaxCells)
                break;
        }
    }
    if (!reader.outcome())
        return reader.outcome().refusal();
    return dates;
}

// "BC12" gives the column 54 (from 0); -1 for a reference without letters or beyond Excel's
// last column.
int columnOf(QStringView reference) {
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i) {
        column = column * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
        if (column > 16384)
            return -1;
    }
    return i == 0 ? -1 : column - 1;
}

Expected<> readWorksheet(const QByteArray& xml, const QStringList& strings,
                         const QSet<int>& dateStyles, SheetBuilder& sheet) {
    XmlPart reader(xml);
    qint64 row = 0;
    int column = -1;
    QString type;
    bool dated = false;
    bool formula = false;
    QString value;
    while (!sheet.overBudget() && reader.nextToken()) {
        if (reader.isStartElement()) {
            const QStringView name = reader.name();
            const auto attributes = reader.attributes();
            if (name == u"row") {
                bool ok = false;
                const qint64 number = attributes.value(QLatin1String("r")).toLongLong(&ok);
                row = ok ? number : row + 1;
                column = -1;
            } else if (name == u"c") {
                const int at = columnOf(attributes.value(QLatin1String("r")));
                column = at >= 0 ? at : column + 1;
                type = attributes.value(QLatin1String("t")).toString();
                dated = type == u"d" ||
                        dateStyles.contains(attributes.value(QLatin1String("s")).toInt());
                formula = false;
                value.clear();
            } else if (name == u"f") {
                formula = true;
                reader.skipCurrentElement();
            } else if (name == u"v") {
                value = reader.readElementText();
            } else if (name == u"is") {
                value = reader.elementText(u"t", u"rPh");
            }
        } else if (reader.isEndElement() && reader.name() == u"c") {
            if (type == u"s") {
                bool ok = false;
                value = strings.value(value.toLongLong(&ok));
            }
            const bool text = type == u"s" || type == u"inlineStr" || type == u"str";
            sheet.add(row, column,
                      formula ? Cell::Kind::Formula
                      : text  ? Cell::Kind::Text
                      : dated ? Cell::Kind::Date
                              : Cell::Kind::Number,
                      value);
        }
    }
    return reader.outcome();
}

} // namespace

Workbook readXlsx(const QByteArray& bytes) {
    ZipArchive zip(bytes);
    if (const Expected<> readable = zip.usable(); !readable)
        return readable.refusal();
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    const auto package = relationships(zip, QString());
    if (!package)
        return package.refusal();
    for (const Relationship& relationship : *package)
        if (relationship.type == u"officeDocument")
            workbookPart = relationship.target;
    const auto parts = relationships(zip, workbookPart);
    if (!parts)
        return parts.refusal();
    QString stringsPart;
    QString stylesPart;
    for (const Relationship& relationship : *parts) {
        if (relationship.type == u"sharedStrings")
            stringsPart = relationship.target;
        else if (relationship.type == u"styles")
            stylesPart = relationship.target;
    }
    const Expected<QStringList> strings = sharedStrings(zip, stringsPart);
    if (!strings)
        return strings.refusal();
    const Expected<QSet<int>> dates = dateStyles(zip, stylesPart);
    if (!dates)
        return dates.refusal();

    const Expected<QByteArray> workbookXml = zip.read(workbookPart);
    if (!workbookXml)
        return workbookXml.refusal();
    QList<std::pair<QString, QString>> listed; // name, part
    XmlPart reader(*workbookXml);
    while (reader.nextToken()) {
        if (!reader.isStartElement() || reader.name() != u"sheet")
            continue;
        QString id;
        for (const QXmlStreamAttribute& attribute : reader.attributes())
            if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty())
                id = attribute.value().toString();
        const auto part = parts->constFind(id);
        // Chart sheets and dialog sheets hold no cells.
        if (part != parts->cend() && part->type == u"worksheet")
            listed.append(
                {reader.attributes().value(QLatin1String("name")).toString(), part->target});
        if (listed.size() > MaxSheets)
            return refusal(QStringLiteral("工作表太多（超过%1个）").arg(MaxSheets));
    }
    if (!reader.outcome())
        return reader.outcome().refusal();

    QList<Sheet> sheets;
    qint64 budget = MaxCells;
    for (const auto& [name, part] : listed) {
        const Expected<QByteArray> xml = zip.read(part);
        if (!xml)
            return xml.refusal();
        SheetBuilder sheet(name, budget);
        if (const Expected<> read = readWorksheet(*xml, *strings, *dates, sheet); !read)
            return read.refusal();
        if (sheet.overBudget())
            return refusal(tooManyCells());
        sheets.append(sheet.take());
    }
    return sheets;
}

} // namespace ordalis::sheets
