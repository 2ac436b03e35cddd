// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much of a file an import takes on: a class roster is a few hundred names, so anything far
// beyond is refused before it can fill the memory (a zip bomb, a sheet of a hundred megabytes,
// cells repeated a million times).

#include <QtGlobal>

namespace ordalis::sheets {

constexpr qint64 MaxFileBytes = 16 << 20;     // the file as it is on disk
constexpr qint64 MaxEntryBytes = 16 << 20;    // one unpacked part of a workbook
constexpr qint64 MaxUnpackedBytes = 32 << 20; // all unpacked parts together
constexpr qint64 MaxEntries = 2000;           // parts in the zip archive
constexpr qint64 MaxCompressionRatio = 200;   // of a part larger than one megabyte
constexpr qint64 MaxCells = 200000;           // cells that hold something, all sheets
constexpr qint64 MaxSheets = 255;

} // namespace ordalis::sheets
