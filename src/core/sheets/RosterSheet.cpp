// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterSheet.h"

#include "text/NameRule.h"

#include <QMap>
#include <QSet>

namespace ordalis::sheets {

namespace {

// Rows looked at for a header: a title or an empty line may stand above it.
constexpr int HeaderRows = 5;

QString withoutBlanks(QString text) {
    text.remove(u' ');
    text.remove(QChar(0x3000)); // the full-width blank of Chinese input
    return text.trimmed();
}

bool isNameHeader(const QString& text) {
    static const QStringList headers = {QStringLiteral("姓名"), QStringLiteral("名字"),
                                        QStringLiteral("学生"), QStringLiteral("学生姓名"),
                                        QStringLiteral("name")};
    return headers.contains(withoutBlanks(text).toLower());
}

const Cell* cellAt(const Row& row, int column) {
    for (const Cell& cell : row.cells)
        if (cell.column == column)
            return &cell;
    return nullptr;
}

// The column of the header cell and its row index, or nothing.
std::pair<int, qsizetype> findHeader(const Sheet& sheet) {
    for (qsizetype r = 0; r < std::min<qsizetype>(sheet.rows.size(), HeaderRows); ++r)
        for (const Cell& cell : sheet.rows[r].cells)
            if (cell.kind == Cell::Kind::Text && isNameHeader(cell.text))
                return {cell.column, r};
    return {-1, -1};
}

// The column with the most text cells, the leftmost of equals.
int textColumn(const Sheet& sheet) {
    QMap<int, int> counts;
    for (const Row& row : sheet.rows)
        for (const Cell& cell : row.cells)
            if (cell.kind == Cell::Kind::Text)
                ++counts[cell.column];
    int best = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (best < 0 || *it > counts[best])
            best = it.key();
    return best;
}

QString problemOf(const Cell* cell, const QString& name) {
    // A formula shows no text when the file keeps no result of it: it is no blank.
    if (cell && cell->kind == Cell::Kind::Formula)
        return QStringLiteral("公式，请在表格程序中改为文字");
    if (!cell || name.isEmpty())
        return QStringLiteral("空白");
    if (cell->kind == Cell::Kind::Number)
        return QStringLiteral("数字，不是姓名");
    if (cell->kind == Cell::Kind::Date)
        return QStringLiteral("日期，不是姓名");
    if (const qsizetype at = firstRefusedInName(name); at >= 0)
        return name[at].unicode() < 0x20 ? QStringLiteral("含有换行或制表符")
                                         : QStringLiteral("含有无法保存的字符“%1”")
                                               .arg(visibleInMessage(name.mid(at, 1)));
    if (name.size() > MaxNameLength)
        return QStringLiteral("太长（最多%1个字）").arg(MaxNameLength);
    return {};
}

} // namespace

RosterPreview previewRoster(const Sheet& sheet, const QStringList& existing) {
    RosterPreview preview;
    const auto [headerColumn, headerRow] = findHeader(sheet);
    preview.column = headerColumn >= 0 ? headerColumn : textColumn(sheet);
    if (preview.column < 0)
        return preview;
    if (headerRow >= 0)
        preview.header = sheet.rows[headerRow].number;
    QSet<QString> seen(existing.cbegin(), existing.cend());
    for (qsizetype r = headerRow + 1; r < sheet.rows.size(); ++r) {
        const Row& row = sheet.rows[r];
        const Cell* cell = cellAt(row, preview.column);
        const QString name = cell ? withoutBlanks(cell->text) : QString();
        QString reason = problemOf(cell, name);
        if (reason.isEmpty() && seen.contains(name))
            reason = QStringLiteral("重复");
        if (!reason.isEmpty()) {
            preview.leftOut.append({row.number, cell ? cell->text : QString(), reason});
            continue;
        }
        seen.insert(name);
        preview.names.append(name);
    }
    return preview;
}

QString columnName(int column) {
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

} // namespace ordalis::sheets
