// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameLists.h"

#include "text/Gb18030.h"
#include "text/TextLines.h"

#include <algorithm>

namespace ordalis::console {

QStringList typedNames(QStringView boxText) {
    QStringList names;
    for (QString line : splitLines(boxText)) {
        line.remove(u' ');
        if (!line.isEmpty())
            names << line;
    }
    return names;
}

AddedNames appendNew(QStringList& list, const QStringList& names) {
    AddedNames counts;
    for (const QString& name : names) {
        if (list.contains(name)) {
            ++counts.duplicates;
        } else {
            list << name;
            ++counts.added;
        }
    }
    return counts;
}

Expected<> checkNamesFit(const QStringList& names) {
    for (const QString& name : names) {
        if (gb18030::firstUnencodable(name) >= 0)
            return refusal(gb18030::unencodableMessage(name));
        if (std::any_of(name.begin(), name.end(), [](QChar c) {
                return c == u'|' || c == u'&' || c == u'=' || c == u'\t' || c == u'\r' ||
                       c == u'\n';
            }))
            return refusal(
                QStringLiteral("“%1”中有“|”、“&”、“=”、制表符或换行，请修改后再试！").arg(name));
    }
    return {};
}

QString deletionText(const QStringList& ids) {
    QString text;
    for (const QString& id : ids)
        text += QLatin1Char('|') + id;
    return text;
}

} // namespace ordalis::console
