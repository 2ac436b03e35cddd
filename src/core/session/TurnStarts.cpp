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
    const QString group = groupOf(user, className);
    auto kept = m_kept.constFind(group);
    if (kept == m_kept.cend()) {
        QSettings settings(m_iniPath, QSettings::IniFormat);
        settings.beginGroup(group);
        Kept read{.termStart = settings.value(TermKey).toDate()};
        for (const QString& line : settings.value(StudentsKey).toStringList())
            read.starts.insert(line.section(u'\t', 0, 0), line.section(u'\t', 1).toInt());
        kept = m_kept.insert(group, read);
    }
    return kept->termStart == termStart ? kept->starts : QHash<QString, int>();
}

FileWrite TurnStarts::write(const QString& user, const QString& className, const QDate& termStart,
                            const QHash<QString, int>& starts) {
    QStringList lines;
    for (auto start = starts.cbegin(); start != starts.cend(); ++start)
        lines << start.key() + u'\t' + QString::number(start.value());
    lines.sort();
    const QString group = groupOf(user, className);
    QSettings settings(m_iniPath, QSettings::IniFormat);
    settings.beginGroup(group);
    settings.setValue(TermKey, termStart);
    settings.setValue(StudentsKey, lines);
    settings.endGroup();
    FileWrite written = syncSettings(settings);
    // Kept as the program now reckons it, written or not: a failed write was told already.
    m_kept.insert(group, {termStart, starts});
    return written;
}

} // namespace ordalis
