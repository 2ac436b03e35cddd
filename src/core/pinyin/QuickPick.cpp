#include "QuickPick.h"

#include "Initials.h"

namespace ordalis {

namespace {
constexpr int ScoreField = 4;
constexpr int CountField = 5;

QString fieldOrEmpty(const QStringList& fields, int index) {
    return index < fields.size() ? fields.at(index) : QString();
}
} // namespace

QString QuickPickLine(const QString& name, const QStringList& recordFields) {
    return name + QStringLiteral("\t[") + fieldOrEmpty(recordFields, CountField) +
           QStringLiteral("次,") + fieldOrEmpty(recordFields, ScoreField) + QStringLiteral("分]");
}

QStringList QuickPickLines(const QStringList& classNames, const QString& typed,
                           const StudentLineLookup& lookup) {
    QStringList lines;
    if (typed.isEmpty())
        return lines;
    const QString upperTyped = typed.toUpper();
    for (const QString& name : classNames) {
        if (!name.contains(typed) && !GetInitials(name).contains(upperTyped))
            continue;
        const QString line = QuickPickLine(name, lookup ? lookup(name) : QStringList());
        if (typed.size() == name.size())
            lines.prepend(line);
        else
            lines.append(line);
    }
    return lines;
}

QString QuickPickName(const QString& line) {
    return line.section(u'\t', 0, 0);
}

} // namespace ordalis
