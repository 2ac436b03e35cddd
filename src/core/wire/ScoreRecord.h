// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One score the service keeps, as getscore.php sends it for a class: its identifier, student,
// value, time, topic and standard (the remark), joined by TAB.

#include "LineFields.h"

#include <QString>

namespace ordalis {

struct ScoreRecord {
    QString id;
    QString student;
    QString value; // the number it counts for, in its shortest form
    QString time;  // "yyyy-mm-dd hh:mm:ss"
    QString topic;
    QString standard;

    QString toText() const {
        return QStringList{id, student, value, time, topic, standard}.join(u'\t');
    }
    // Splits at TAB; missing fields are empty, extra fields are ignored.
    static ScoreRecord fromText(const QString& line) { return readFields<ScoreRecord, 6>(line); }
};

} // namespace ordalis
