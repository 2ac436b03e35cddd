// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineFields.h"

namespace ordalis {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

qsizetype fieldCount(QStringView line) {
    return line.count(u'\t') + 1;
}

QStringList replyLines(const QString& reply) {
    return reply.split(LineEnd, Qt::SkipEmptyParts);
}

QString replyText(const QStringList& lines) {
    return lines.join(LineEnd);
}

} // namespace ordalis
