// SPDX-License-Identifier: GPL-3.0-or-later
#include "AbsentMarks.h"

#include <QSettings>
#include <QUrl>

namespace ordalis {

namespace {

// One key per user and class; percent-encoded, so that no name nests or breaks the file.
QString keyOf(const QString& user, const QString& className) {
    return QStringLiteral("Absent/") + QString::fromLatin1(QUrl::toPercentEncoding(user)) + u'_' +
           QString::fromLatin1(QUrl::toPercentEncoding(className));
}

} // namespace

AbsentMarks::AbsentMarks(QString iniPath)
    : m_iniPath(std::move(iniPath)) {}

QStringList AbsentMarks::names(const QString& user, const QString& className,
                               const QDate& day) const {
    const QStringList stored =
        QSettings(m_iniPath, QSettings::IniFormat).value(keyOf(user, className)).toStringList();
    if (stored.isEmpty() || stored.constFirst() != day.toString(Qt::ISODate))
        return {};
    return stored.mid(1);
}

FileWrite AbsentMarks::set(const QString& user, const QString& className, const QString& name,
                           bool absent, const QDate& day) {
    QStringList marked = names(user, className, day);
    marked.removeAll(name);
    if (absent)
        marked << name;
    QSettings settings(m_iniPath, QSettings::IniFormat);
    if (marked.isEmpty())
        settings.remove(keyOf(user, className));
    else
        settings.setValue(keyOf(user, className), QStringList{day.toString(Qt::ISODate)} + marked);
    return syncSettings(settings);
}

} // namespace ordalis
