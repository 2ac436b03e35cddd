// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The daily log: one append-only GB18030 file per user, class and day, in the data folder.

#include "session/FileWrite.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace ordalis {

// user + "_" + class + "_" + yyyy-mm-dd + ".Log"; characters a file name cannot hold
// (path separators among them) become "_", so the file always stays in its folder.
QString dailyLogFileName(const QString& user, const QString& className, const QDate& date);

// The line that takes a score back in the append-only log: the score's class and student, the
// score "撤销" + its score, the time of taking back, and "撤销" + the score's time as standard.
QString cancellingLine(const QString& scoreLine, const QDateTime& now);

// Appends the line and CR LF, creating the file when missing.
FileWrite appendToDailyLog(const QString& folder, const QString& user, const QString& className,
                           const QDate& date, const QString& line);

// Appends to the daily logs in the order the lines came: a line that cannot be written (a full
// disk) waits here and goes before the next one, so the log is delayed but loses nothing.
class DailyLogWriter {
public:
    explicit DailyLogWriter(QString folder);

    // The outcome of every write tried: the lines that waited, then this one, up to the
    // first that fails.
    QList<FileWrite> append(const QString& user, const QString& className, const QDate& date,
                            const QString& line);
    // The waiting lines written again, with the outcome of each write tried.
    QList<FileWrite> retry();
    qsizetype waiting() const { return m_waiting.size(); }

private:
    struct Line {
        QString user;
        QString className;
        QDate date;
        QString text;
    };
    QString m_folder;
    QList<Line> m_waiting;
};

} // namespace ordalis
