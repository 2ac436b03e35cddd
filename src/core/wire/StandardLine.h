// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One standard of a topic as getscale.php sends it: its identifier, text and score, joined by
// TAB.

#include "LineFields.h"

#include <QString>

namespace ordalis {

struct StandardLine {
    QString id;
    QString text;
    QString score; // a decimal number in its shortest form

    QString toText() const { return QStringList{id, text, score}.join(u'\t'); }
    // Splits at TAB; missing fields are empty, extra fields are ignored.
    static StandardLine fromText(const QString& line) { return readFields<StandardLine, 3>(line); }
};

} // namespace ordalis
