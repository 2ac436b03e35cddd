// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lines of a text file written on any system.

#include <QString>
#include <QStringList>

namespace ordalis {

// CR LF, a lone LF and a lone CR each end a line; a last line without an end is kept, and the
// empty remainder after a final line end is no line.
QStringList splitLines(QStringView text);

} // namespace ordalis
