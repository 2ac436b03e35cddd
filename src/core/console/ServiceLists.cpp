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

QList<ListColumn> scoreColumns() {
    return {{QStringLiteral("日期"), 3},
            {QStringLiteral("学生"), 1},
            {QStringLiteral("分数"), 2},
            {QStringLiteral("课题"), 4},
            {QStringLiteral("评分标准"), 5}};
}

QList<ListColumn> standardColumns() {
    return {{QStringLiteral("标准"), 1}, {QStringLiteral("分值"), 2}};
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
