// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One score given to one student: class, student, score, time, standard, joined by TAB. The
// line of the daily log, of the pending list, of .dms files and of a score upload.

#include "LineFields.h"

#include <QDateTime>
#include <QString>

namespace ordalis {

struct ScoreLine {
    QString className;
    QString student;
    QString score;    // as given, "3分" or any typed text
    QString time;     // "yyyy-mm-dd hh:mm:ss"
    QString standard; // empty for a free score

    QString toText() const {
        return QStringList{className, student, score, time, standard}.join(u'\t');
    }
    // Splits at TAB; missing fields are empty, extra fields are ignored.
    static ScoreLine fromText(const QString& line) { return readFields<ScoreLine, 5>(line); }
    static QString timeText(const QDateTime& moment);

    bool operator==(const ScoreLine&) const = default;
};

} // namespace ordalis
