// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigFile.h"

#include <QFile>
#include <algorithm>

namespace ordalis {

namespace {

const QStringList YesWords = {"yes", "true", "on", "1"};
const QStringList NoWords = {"no", "false", "off", "0"};

bool isSkipped(const QString& line) {
    return line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';') ||
           (line.startsWith(u'[') && line.endsWith(u']'));
}

} // namespace

Expected<QStringList> withConfigFile(const QStringList& programArguments, const QString& path,
                                     const QList<QCommandLineOption>& options) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return refusal(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    QStringList arguments;
    for (int lineNumber = 1; !file.atEnd(); ++lineNumber) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (isSkipped(line))
            continue;
        const auto refuse = [&](const QString& why) {
            return refusal(QStringLiteral("%1 line %2: %3").arg(path).arg(lineNumber).arg(why));
        };
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            return refuse(QStringLiteral("expected name=value"));
        const QString name = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        const auto option = std::find_if(options.begin(), options.end(), [&](const auto& o) {
            return name.size() > 1 && o.names().contains(name);
        });
        if (option == options.end())
            return refuse(QStringLiteral("unknown setting \"%1\"").arg(name));
        if (!option->valueName().isEmpty())
            arguments << QStringLiteral("--") + name << value;
        else if (YesWords.contains(value.toLower()))
            arguments << QStringLiteral("--") + name;
        else if (!NoWords.contains(value.toLower()))
            return refuse(QStringLiteral("%1 is yes or no").arg(name));
    }
    return programArguments.mid(0, 1) + arguments + programArguments.mid(1);
}

} // namespace ordalis
