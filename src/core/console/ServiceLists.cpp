// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceLists.h"

#include "text/WireText.h"

namespace ordalis::console {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

std::optional<TeacherData> readTeacherData(const QString& reply) {
    const QStringList pieces = reply.split(LineEnd);
    if (pieces.size() != 3)
        return std::nullopt;
    return TeacherData{pieces[0], pieces[1], pieces[2]};
}

QStringList replyLines(const QString& reply) {
    return reply.split(LineEnd, Qt::SkipEmptyParts);
}

QStringList lineFields(const QString& line, int count) {
    QStringList fields = line.split(u'\t');
    while (fields.size() < count)
        fields << QString();
    return fields;
}

QString numberText(QStringView text) {
    return shortestDecimal(leadingNumber(text));
}

} // namespace ordalis::console
