// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pending score lines as the upload list keeps and shows them: each read as a score line,
// its text kept as it came so that a short or foreign line is stored back byte for byte.

#include "wire/ScoreLine.h"

#include <QString>

namespace ordalis {

struct PendingScore {
    ScoreLine score;
    QString text;

    static PendingScore fromText(const QString& line);
    QString toText() const { return text; }
    // The same score, however its line ends: "a\tb\t3" is "a\tb\t3\t\t".
    bool operator==(const PendingScore& other) const { return score == other.score; }
};

// The upload list's columns, in the order shown.
struct PendingColumns {
    using Row = PendingScore;
    enum Column { Class, Student, Score, Time, Standard, Count };
    static QString header(int column);
    static QString text(const Row& row, int column);
};

} // namespace ordalis
