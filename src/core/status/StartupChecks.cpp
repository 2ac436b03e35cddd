#include "StartupChecks.h"

#include "net/WireText.h"
#include "session/Blanks.h"

#include <QLocale>
#include <limits>

namespace ordalis {
std::optional<QString> ClockWarning(const QString& serverTimeReply, const QDateTime& now) {
    const double leading = LeadingNumber(serverTimeReply);
    if (!(leading > EarliestServiceTime) || leading > std::numeric_limits<qint32>::max())
        return std::nullopt;
    const qint64 service = static_cast<qint64>(leading);
    const QDateTime local = now.toLocalTime();
    if (qAbs(service - now.toSecsSinceEpoch()) <= ClockTolerance)
        return std::nullopt;
    const QString localText = QLocale::system().toString(local.date(), QLocale::ShortFormat) +
                              u' ' + local.time().toString(QStringLiteral("H:mm:ss"));
    return QStringLiteral("时间错误，请修改后确定！\r\n服务器时间:") +
           SecondsToDate(static_cast<qint32>(service)) + QStringLiteral("\r\n本电脑时间:") +
           localText;
}

std::optional<QString> OfferedVersion(const QString& reply) {
    static const QString prefix = QStringLiteral("Tumbrel:");
    if (!reply.startsWith(prefix))
        return std::nullopt;
    return TrimSpaces(QStringView(reply).mid(prefix.size()));
}

} // namespace ordalis
