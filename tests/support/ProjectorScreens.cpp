// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProjectorScreens.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace ordalis::test {

bool useOffscreenProjectorScreens() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return false;
    static QTemporaryDir dir; // read when the application starts, removed at exit
    const QString path = dir.filePath(QStringLiteral("screens.json"));
    QJsonArray screens;
    int left = 0;
    for (const QSize size : {FullHdScreen, LaptopScreen}) {
        screens.append(
            QJsonObject{{"name", QStringLiteral("%1x%2").arg(size.width()).arg(size.height())},
                        {"x", left},
                        {"y", 0},
                        {"width", size.width()},
                        {"height", size.height()},
                        {"logicalDpi", 96},
                        {"logicalBaseDpi", 96},
                        {"dpr", 1}});
        left += size.width();
    }
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(
                       QJsonObject{{"synchronousWindowSystemEvents", true}, {"screens", screens}})
                       .toJson()) < 0)
        return false;
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toLocal8Bit());
    return true;
}

} // namespace ordalis::test
