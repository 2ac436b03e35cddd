// SPDX-License-Identifier: GPL-3.0-or-later
#include "AbsentMarks.h"

#include "session/UserClassKey.h"

#include <QSettings>

namespace ordalis {

namespace {

// Long enough for a school year's history; older days are cleared when a day is marked.
constexpr int KeptDays = 400;

// One group per user and class, one key per day.
QString groupOf(const QString& user, const QString& className) {
    return QStringLiteral("AbsentDays/") + userClassKey(user, className);
}

// Earlier versions kept one day only: "Absent/user_class" = day, names….
QString singleDayKey(const QString& user, const QString& className) {
    return QStringLiteral("Absent/") + groupOf(user, className).section(u'/', 1);
}

QString dayKey(const QDate& day) {
    return day.toString(Qt::ISODate);
}

} // namespace

AbsentMarks::AbsentMarks(QString iniPath)
    : m_iniPath(std::move(iniPath)) {}

QStringList AbsentMarks::names(const QString& user, const QString& className,
                               const QDate& day) const {
    const QSettings settings(m_iniPath, QSettings::IniFormat);
    const QVariant marked = settings.value(groupOf(user, className) + u'/' + dayKey(day));
    if (marked.isValid())
        return marked.toStringList();
    const QStringList single = settings.value(singleDayKey(user, className)).toStringList();
    return single.value(0) == dayKey(day) ? single.mid(1) : QStringList();
}

FileWrite AbsentMarks::set(const QString& user, const QString& className, const QString& name,
                           bool absent, const QDate& day) {
    QStringList marked = names(user, className, day);
    marked.removeAll(name);
    if (absent)
        marked << name;
    QSettings settings(m_iniPath, QSettings::IniFormat);
    settings.remove(singleDayKey(user, className)); // its day is written below
    settings.beginGroup(groupOf(user, className));
    const QString oldest = dayKey(day.addDays(-KeptDays));
    for (const QString& kept : settings.childKeys())
        if (kept < oldest)
            settings.remove(kept);
    if (marked.isEmpty())
        settings.remove(dayKey(day));
    else
        settings.setValue(dayKey(day), marked);
    settings.endGroup();
    return syncSettings(settings);
}

} // namespace ordalis
