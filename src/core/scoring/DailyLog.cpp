// SPDX-License-Identifier: GPL-3.0-or-later
#include "DailyLog.h"

#include "scoring/ScoreLine.h"
#include "text/Gb18030.h"

#include <QDir>
#include <QFile>

namespace ordalis {

namespace {

// Characters that no file name may hold on the systems the program runs on; path separators
// among them, so that a name can never lead out of its folder.
QString fileNamePart(const QString& text) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString part = text;
    for (QChar& c : part) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c))
            c = u'_';
    }
    return part;
}

} // namespace

QString dailyLogFileName(const QString& user, const QString& className, const QDate& date) {
    return fileNamePart(user) + u'_' + fileNamePart(className) + u'_' +
           date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".Log");
}

QString cancellingLine(const QString& scoreLine, const QDateTime& now) {
    const ScoreLine score = ScoreLine::fromText(scoreLine);
    return ScoreLine{score.className, score.student, QStringLiteral("撤销") + score.score,
                     ScoreLine::timeText(now), QStringLiteral("撤销") + score.time}
        .toText();
}

LogWrite appendToDailyLog(const QString& folder, const QString& user, const QString& className,
                          const QDate& date, const QString& line) {
    LogWrite result;
    result.filePath = QDir(folder).filePath(dailyLogFileName(user, className, date));
    bool encoded = false;
    const QByteArray bytes = gb18030::encode(line, &encoded) + "\r\n";
    if (!encoded) {
        result.error = gb18030::unencodableMessage(line);
        return result;
    }
    QFile file(result.filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        result.error = file.errorString();
        return result;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        result.error = file.errorString();
        return result;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace ordalis
