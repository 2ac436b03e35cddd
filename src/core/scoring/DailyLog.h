// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The daily log: one append-only GB18030 file per user, class and day, in the data folder.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace ordalis {

// user + "_" + class + "_" + yyyy-mm-dd + ".Log"; characters a file name cannot hold
// (path separators among them) become "_", so the file always stays in its folder.
QString dailyLogFileName(const QString& user, const QString& className, const QDate& date);

struct LogWrite {
    bool ok = false;
    QString filePath;
    QString error; // the system's reason when !ok
};

// The line that takes a score back in the append-only log: the score's class and student, the
// score "撤销" + its score, the time of taking back, and "撤销" + the score's time as standard.
QString cancellingLine(const QString& scoreLine, const QDateTime& now);

// Appends the line and CR LF, creating the file when missing.
LogWrite appendToDailyLog(const QString& folder, const QString& user, const QString& className,
                          const QDate& date, const QString& line);

} // namespace ordalis
