// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Score batch files (.dms): pending score lines saved for a later upload. GB18030, CR LF.

#include "session/FileWrite.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis {

// Replaces the file whole, or leaves it as it was and says why not.
FileWrite writeDmsFile(const QString& path, const QStringList& lines);

// The non-empty lines in file order; nullopt when the file cannot be read.
std::optional<QStringList> readDmsFile(const QString& path);

} // namespace ordalis
