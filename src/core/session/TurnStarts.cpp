// SPDX-License-Identifier: GPL-3.0-or-later
#include "TurnStarts.h"

#include "session/UserClassKey.h"

#include <QSettings>

namespace ordalis {

namespace {

// One group per user and class: the term's first day and a "name TAB start" line per student.
QString groupOf(const QString& user, const QString& className) {
    return QStringLiteral("TurnStarts/") + userClassKey(user, className);
}

const QString TermKey = QStringLiteral("term");
const QString StudentsKey = QStringLiteral("students");

} // namespace

TurnStarts::TurnStarts(QString iniPath)
    : m_iniPath(std::move(iniPath)) {}

QHash<QString, int> TurnStarts::read(const QString& user, const QString& className,
                                     const QDate& termStart) const {
    QSettings settings(m_iniPath, QSettings::IniFormat);
    settings.beginGroup(groupOf(user, className));
    QHash<QString, int> starts;
    if (settings.value(TermKey).toDate() != termStart)
        return starts;
    for (const QString& line : settings.value(StudentsKey).toStringList())
        starts.insert(line.section(u'\t', 0, 0), line.section(u'\t', 1).toInt());
    return starts;
}

FileWrite TurnStarts::write(const QString& user, const QString& className, const QDate& termStart,
                            const QHash<QString, int>& starts) {
    QStringList lines;
    for (auto start = starts.cbegin(); start != starts.cend(); ++start)
        lines << start.key() + u'\t' + QString::number(start.value());
    lines.sort();
    QSettings settings(m_iniPath, QSettings::IniFormat);
    settings.beginGroup(groupOf(user, className));
    settings.setValue(TermKey, termStart);
    settings.setValue(StudentsKey, lines);
    settings.endGroup();
    return syncSettings(settings);
}

} // namespace ordalis
