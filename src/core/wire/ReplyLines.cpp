// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyLines.h"

namespace ordalis {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

QStringList replyLines(const QString& reply) {
    return reply.split(LineEnd, Qt::SkipEmptyParts);
}

QString replyText(const QStringList& lines) {
    return lines.join(LineEnd);
}

} // namespace ordalis
