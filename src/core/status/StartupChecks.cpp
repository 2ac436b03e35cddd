// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupChecks.h"

#include "session/Blanks.h"
#include "text/WireText.h"

#include <QLocale>
#include <limits>

namespace ordalis {
std::optional<QString> clockWarning(const QString& serverTimeReply, const QDateTime& now) {
    const double leading = leadingNumber(serverTimeReply);
    if (!(leading > EarliestServiceTime) || leading > std::numeric_limits<qint32>::max())
        return std::nullopt;
    const qint64 service = static_cast<qint64>(leading);
    const QDateTime local = now.toLocalTime();
    if (qAbs(service - now.toSecsSinceEpoch()) <= ClockTolerance)
        return std::nullopt;
    const QString localText = QLocale::system().toString(local.date(), QLocale::ShortFormat) +
                              u' ' + local.time().toString(QStringLiteral("H:mm:ss"));
    return QStringLiteral("时间错误，请修改后确定！\r\n服务器时间:") +
           secondsToDate(static_cast<qint32>(service)) + QStringLiteral("\r\n本电脑时间:") +
           localText;
}

std::optional<QString> offeredVersion(const QString& reply) {
    static const QString prefix = QStringLiteral("Tumbrel:");
    if (!reply.startsWith(prefix))
        return std::nullopt;
    return trimSpaces(QStringView(reply).mid(prefix.size()));
}

} // namespace ordalis
