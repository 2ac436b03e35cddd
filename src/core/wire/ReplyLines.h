// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of a service reply, joined by CR LF.

#include <QString>
#include <QStringList>

namespace ordalis {

// The non-empty pieces between CR LF.
QStringList replyLines(const QString& reply);
// CR LF between the lines, none after the last.
QString replyText(const QStringList& lines);

} // namespace ordalis
