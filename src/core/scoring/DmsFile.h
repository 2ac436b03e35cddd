#pragma once
// Score batch files (.dms): pending score lines saved for a later upload. GBK, CR LF.

#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis {

// Replaces the file whole; false (with the reason) when it cannot be written.
bool WriteDmsFile(const QString& path, const QStringList& lines, QString* error = nullptr);

// The non-empty lines in file order; nullopt when the file cannot be read.
std::optional<QStringList> ReadDmsFile(const QString& path);

} // namespace ordalis
