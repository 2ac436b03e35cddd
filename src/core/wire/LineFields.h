// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every line kind of the protocol shares: fields joined by TAB, and a reply's lines
// joined by CR LF.

#include <QString>
#include <QStringList>

namespace ordalis {

// How many TAB-separated fields the line has (a line without a TAB has one). For a reader that
// takes or refuses a line by its shape before it reads it.
qsizetype fieldCount(QStringView line);

// The lines of a service reply: the non-empty pieces between CR LF.
QStringList replyLines(const QString& reply);
// The reply of those lines: CR LF between them, none after the last.
QString replyText(const QStringList& lines);

} // namespace ordalis
