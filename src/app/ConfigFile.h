// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program's settings file: each line "name=value" stands for the long option --name value,
// so any option the program offers can be kept in the file without being named here.

#include "text/Refusal.h"

#include <QCommandLineOption>
#include <QList>
#include <QStringList>

namespace ordalis {

// The program's arguments with those that the file at `path` stands for placed before its own,
// so that an option given on the command line wins over the file. `options` are those the file
// may set. Lines that are empty, start with '#' or ';', or are a "[section]" header are skipped;
// an option without a value is set by yes/true/on/1 and left out by no/false/off/0. Refused,
// with a reason naming the file and line, when the file cannot be read or a line is not a
// known setting.
Expected<QStringList> withConfigFile(const QStringList& programArguments, const QString& path,
                                     const QList<QCommandLineOption>& options);

} // namespace ordalis
