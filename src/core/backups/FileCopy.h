// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copies of whole database files, as backups and restores make them: a copy is first written
// beside its target under an unfinished name, synced to disk, and only then renamed, so that no
// file of a backup's name (nor the live database) is ever half written, whatever fails midway.

#include "text/Refusal.h"

#include <QString>

namespace ordalis {

// The unfinished copy of `target`: "<target>.part", or a temporary name of the same beginning.
QString unfinishedCopyOf(const QString& target);
// True for the name of an unfinished copy of a database file.
bool isUnfinishedCopy(const QString& fileName);

// Copies `source` to `target`, which is made or replaced whole, or left as it was (then refused
// with the system's reason).
Expected<> copyWhole(const QString& source, const QString& target);

} // namespace ordalis
