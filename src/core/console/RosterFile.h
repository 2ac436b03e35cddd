// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A student list file to import: one name per line, as a spreadsheet or an editor saves it.

#include <QByteArray>
#include <QStringList>

namespace ordalis::console {

// The file's lines: read as UTF-8 (with or without byte-order mark) when the bytes are valid
// UTF-8, otherwise as GB18030; lines end at CR LF, LF or CR. A zero-byte file has no lines.
QStringList rosterFileLines(const QByteArray& bytes);

} // namespace ordalis::console
