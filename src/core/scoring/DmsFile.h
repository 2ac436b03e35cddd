// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Score batch files (.dms): pending score lines saved for a later upload. GB18030, CR LF.

#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis {

// Replaces the file whole; false (with the reason) when it cannot be written.
bool writeDmsFile(const QString& path, const QStringList& lines, QString* error = nullptr);

// The non-empty lines in file order; nullopt when the file cannot be read.
std::optional<QStringList> readDmsFile(const QString& path);

} // namespace ordalis
