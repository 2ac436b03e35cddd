// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuickPick.h"

#include "Initials.h"

namespace ordalis {

QString quickPickLine(const QString& name, const StudentLine& recordLine) {
    return name + QStringLiteral("\t[") + recordLine.countText + QStringLiteral("次,") +
           recordLine.scoreText + QStringLiteral("分]");
}

namespace {

QuickPickIndex::Names withInitials(const QStringList& names) {
    QuickPickIndex::Names indexed{names, {}};
    indexed.initials.reserve(names.size());
    for (const QString& name : names)
        indexed.initials << getInitials(name);
    return indexed;
}

} // namespace

QuickPickIndex::QuickPickIndex(const QStringList& presentNames, const QStringList& absentNames)
    : present(withInitials(presentNames))
    , absent(withInitials(absentNames)) {}

QList<qsizetype> QuickPickIndex::Names::found(const QString& typed) const {
    QList<qsizetype> rows;
    if (typed.isEmpty())
        return rows;
    const QString upperTyped = typed.toUpper();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.at(i).contains(typed) || initials.at(i).contains(upperTyped))
            rows << i;
    }
    return rows;
}

QStringList quickPickLines(const QuickPickIndex& index, const QString& typed,
                           const StudentLineLookup& lookup) {
    QStringList lines;
    for (const qsizetype i : index.present.found(typed)) {
        const QString& name = index.present.names.at(i);
        const QString line = quickPickLine(name, lookup ? lookup(name) : StudentLine());
        if (typed.size() == name.size())
            lines.prepend(line);
        else
            lines.append(line);
    }
    return lines;
}

QStringList quickPickAbsentLines(const QuickPickIndex& index, const QString& typed) {
    QStringList lines;
    for (const qsizetype i : index.absent.found(typed))
        lines << index.absent.names.at(i) + QStringLiteral("今天缺席");
    return lines;
}

int quickPickEnterRow(int lineCount, int selectedRow) {
    if (selectedRow >= 0 && selectedRow < lineCount)
        return selectedRow;
    return lineCount == 1 ? 0 : -1;
}

QString quickPickName(const QString& line) {
    return line.section(u'\t', 0, 0);
}

} // namespace ordalis
