// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterFile.h"

#include "text/Gb18030.h"
#include "text/TextLines.h"

namespace ordalis::console {

QStringList rosterFileLines(const QByteArray& bytes) {
    return splitLines(gb18030::decodeFile(bytes));
}

} // namespace ordalis::console
