// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class's record over a period as a school keeps it in a spreadsheet: per student how often
// called and scored, the total, the mean and the last call; and every score with its date,
// time, student, value, topic and standard. The program's history window and the service's
// export build the same workbook from the same rows.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace ordalis::workbook {

struct CallEntry {
    QString student;
    QString time; // "yyyy-mm-dd hh:mm:ss"
    QString how;  // the draw category's caption, "拼音", "手动"
};

struct ScoreEntry {
    QString student;
    QString time; // "yyyy-mm-dd hh:mm:ss"
    double value = 0;
    QString topic;
    QString standard;
};

struct StudentSummary {
    QString name;
    int calls = 0;
    int scores = 0;
    double total = 0;
    QString lastCalled; // time of the last call, empty if none
    double mean() const { return scores > 0 ? total / scores : 0; }
};

// One row per student of the roster, in roster order; calls and scores of others are passed
// over.
QList<StudentSummary> summarize(const QStringList& roster, const QList<CallEntry>& calls,
                                const QList<ScoreEntry>& scores);

struct ClassWorkbook {
    QString className;
    QDate from; // the period; an invalid date leaves that end open
    QDate to;
    QList<StudentSummary> students;
    QList<ScoreEntry> scores; // oldest first
};

// The file name a download or a save proposes: class and dates, "初一(1)班_2026-09-01至
// 2026-12-09.xlsx", with characters no file name may hold replaced.
QString fileName(const ClassWorkbook& book, const QString& suffix);

} // namespace ordalis::workbook
