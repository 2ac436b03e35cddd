// SPDX-License-Identifier: GPL-3.0-or-later
#include "DailyLog.h"

#include "text/Gb18030.h"
#include "wire/ScoreLine.h"

#include <QDir>

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

FileWrite appendToDailyLog(const QString& folder, const QString& user, const QString& className,
                           const QDate& date, const QString& line) {
    const QString path = QDir(folder).filePath(dailyLogFileName(user, className, date));
    bool encoded = false;
    const QByteArray bytes = gb18030::encode(line, &encoded) + "\r\n";
    if (!encoded)
        return {false, path, gb18030::unencodableMessage(line)};
    return appendToFile(path, bytes);
}

DailyLogWriter::DailyLogWriter(QString folder)
    : m_folder(std::move(folder)) {}

QList<FileWrite> DailyLogWriter::append(const QString& user, const QString& className,
                                        const QDate& date, const QString& line) {
    m_waiting << Line{user, className, date, line};
    return retry();
}

QList<FileWrite> DailyLogWriter::retry() {
    QList<FileWrite> outcomes;
    while (!m_waiting.isEmpty()) {
        const Line& next = m_waiting.constFirst();
        outcomes << appendToDailyLog(m_folder, next.user, next.className, next.date, next.text);
        if (!outcomes.constLast().ok)
            break;
        m_waiting.removeFirst();
    }
    return outcomes;
}

} // namespace ordalis
