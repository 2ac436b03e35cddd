// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One call of a student in a lesson: class, student, time and how the student was chosen (the
// drawn category's caption, "拼音" for the quick pick, "手动" for the manual panel), joined by
// TAB. The line of the pending calls and of their upload.

#include "LineFields.h"

#include <QString>

namespace ordalis {

struct CallLine {
    static inline const QString ByInitials = QStringLiteral("拼音");
    static inline const QString ByHand = QStringLiteral("手动");

    QString className;
    QString student;
    QString time; // "yyyy-mm-dd hh:mm:ss"
    QString how;

    QString toText() const { return QStringList{className, student, time, how}.join(u'\t'); }
    // Splits at TAB; missing fields are empty, extra fields are ignored.
    static CallLine fromText(const QString& line) { return readFields<CallLine, 4>(line); }
};

} // namespace ordalis
