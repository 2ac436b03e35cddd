// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One call the service keeps, as getcalls.php sends it for a class: student, time, how the
// student was chosen, joined by TAB.

#include "LineFields.h"

#include <QString>

namespace ordalis {

struct CallRecord {
    QString student;
    QString time; // "yyyy-mm-dd hh:mm:ss"
    QString how;

    QString toText() const { return QStringList{student, time, how}.join(u'\t'); }
    // Splits at TAB; missing fields are empty, extra fields are ignored.
    static CallRecord fromText(const QString& line) { return readFields<CallRecord, 3>(line); }
};

} // namespace ordalis
