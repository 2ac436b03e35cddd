// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuickPick.h"

#include "Initials.h"

namespace ordalis {

QString quickPickLine(const QString& name, const StudentLine& recordLine) {
    return name + QStringLiteral("\t[") + recordLine.countText + QStringLiteral("次,") +
           recordLine.scoreText + QStringLiteral("分]");
}

QuickPickIndex::QuickPickIndex(const QStringList& classNames)
    : names(classNames) {
    initials.reserve(names.size());
    for (const QString& name : names)
        initials << getInitials(name);
}

QStringList quickPickLines(const QuickPickIndex& index, const QString& typed,
                           const StudentLineLookup& lookup) {
    QStringList lines;
    if (typed.isEmpty())
        return lines;
    const QString upperTyped = typed.toUpper();
    for (qsizetype i = 0; i < index.names.size(); ++i) {
        const QString& name = index.names.at(i);
        if (!name.contains(typed) && !index.initials.at(i).contains(upperTyped))
            continue;
        const QString line = quickPickLine(name, lookup ? lookup(name) : StudentLine());
        if (typed.size() == name.size())
            lines.prepend(line);
        else
            lines.append(line);
    }
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
