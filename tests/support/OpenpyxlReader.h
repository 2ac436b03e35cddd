// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spreadsheets made and read by another program than ours: Python with openpyxl (Debian's
// python3-openpyxl), so that an import is tested on a file our code did not write and an
// export is read back by code that is not our writer's.

#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis::test {

// Runs Debian's `python3 -c script args...`; its standard output, or nullopt with `*error` set (its
// standard error) when it failed.
std::optional<QByteArray> runPython(const QString& script, const QStringList& args, QString* error);

// The workbook's sheets as openpyxl reads them, each {"name", "frozen" (the top-left cell
// of the scrolling part, "A2"), "rows": [[cell, ...], ...]}; a cell is a string, a number,
// null, or for a date, time or moment the text "yyyy-mm-dd", "hh:mm:ss", "yyyy-mm-dd hh:mm:ss"
// (a moment at midnight reads as its date).
std::optional<QJsonArray> readWithOpenpyxl(const QString& path, QString* error);

} // namespace ordalis::test
