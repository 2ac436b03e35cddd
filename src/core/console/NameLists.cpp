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

std::optional<QString> firstUnfitName(const QStringList& names) {
    const auto unfit = std::find_if(names.begin(), names.end(), [](const QString& name) {
        return gb18030::firstUnencodable(name) >= 0 ||
               std::any_of(name.begin(), name.end(), [](QChar c) {
                   return c == u'|' || c == u'&' || c == u'=' || c == u'\t' || c == u'\r' ||
                          c == u'\n';
               });
    });
    if (unfit == names.end())
        return std::nullopt;
    return *unfit;
}

QString unfitNameMessage(const QString& name) {
    if (gb18030::firstUnencodable(name) >= 0)
        return gb18030::unencodableMessage(name);
    return QStringLiteral("“%1”中有“|”、“&”、“=”、制表符或换行，请修改后再试！").arg(name);
}

QString deletionText(const QStringList& ids) {
    QString text;
    for (const QString& id : ids)
        text += QLatin1Char('|') + id;
    return text;
}

} // namespace ordalis::console
