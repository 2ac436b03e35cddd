// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"

#include "sheets/SheetBuilder.h"
#include "sheets/SheetLimits.h"
#include "text/Gb18030.h"

#include <QRegularExpression>

namespace ordalis::sheets {

namespace {

// The separator the first lines use most, outside quotes.
QChar separatorOf(QStringView text) {
    constexpr int LinesLooked = 20;
    const QChar candidates[] = {u',', u';', u'\t'};
    int counts[3] = {0, 0, 0};
    bool quoted = false;
    int lines = 0;
    for (qsizetype i = 0; i < text.size() && lines < LinesLooked; ++i) {
        const QChar c = text[i];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            ++lines;
        else if (!quoted)
            for (int k = 0; k < 3; ++k)
                counts[k] += c == candidates[k];
    }
    const int best = int(std::max_element(counts, counts + 3) - counts);
    return counts[best] > 0 ? candidates[best] : QChar(u',');
}

Cell::Kind kindOf(const QString& field) {
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?\\d+(\\.\\d+)?\\s*$"));
    return number.match(field).hasMatch() ? Cell::Kind::Number : Cell::Kind::Text;
}

} // namespace

Workbook readCsv(const QByteArray& bytes, const QString& sheetName) {
    const QString text = gb18030::decodeFile(bytes);
    const QChar separator = separatorOf(text);
    qint64 budget = MaxCells;
    SheetBuilder sheet(sheetName, budget);
    qint64 row = 1;
    int column = 0;
    QString field;
    bool quoted = false;
    const auto endField = [&] {
        sheet.add(row, column++, kindOf(field), field);
        field.clear();
    };
    for (qsizetype i = 0; i < text.size() && !sheet.overBudget(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == separator) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            endField();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++row;
            column = 0;
        } else {
            field += c;
        }
    }
    endField();
    if (sheet.overBudget())
        return refusal(tooManyCells());
    return QList<Sheet>{sheet.take()};
}

} // namespace ordalis::sheets
