// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Removing the blanks around a typed text: spaces only, so a TAB or other character that
// belongs to the text is kept.

#include <QString>

namespace ordalis {

inline QString trimSpaces(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first).toString();
}

} // namespace ordalis
