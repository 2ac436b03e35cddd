// SPDX-License-Identifier: GPL-3.0-or-later
#include "Launcher.h"

namespace ordalis::console {

namespace {

// The executable as one quoted argument of the Exec key.
QString execArgument(const QString& path) {
    QString quoted;
    for (QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    // The key's value is itself escaped: a backslash doubles again, "%" is a field code.
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + u'"';
}

} // namespace

QString launcherText(const QString& executable, const QString& name, const QString& icon) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "Categories=Education;\n")
        .arg(name, execArgument(executable), icon);
}

} // namespace ordalis::console
