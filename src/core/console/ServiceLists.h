// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's readings of the service's score and standard lists, whose lines the pages
// keep whole (identifiers included), show in columns and open in their edit boxes.

#include "wire/ScoreRecord.h"
#include "wire/StandardLine.h"

#include <QString>
#include <QStringList>

namespace ordalis::console {

// The columns of the console's score list, in the order shown: what a teacher reads of a score
// the service keeps. Its identifier stays out of sight.
struct ScoreRecordColumns {
    using Row = ScoreRecord;
    enum Column { Date, Student, Score, Topic, Standard, Count };
    static QString header(int column);
    static QString text(const Row& row, int column);
};

// The columns of the console's standard lists, in the order shown; the identifier stays out of
// sight.
struct StandardColumns {
    using Row = StandardLine;
    enum Column { Text, Score, Count };
    static QString header(int column);
    static QString text(const Row& row, int column);
};

// The text of a score box as the service gets it: the number the text begins with, in its
// shortest form (3.50 gives 3.5, "5分" gives 5, letters give 0).
QString numberText(QStringView text);

} // namespace ordalis::console
