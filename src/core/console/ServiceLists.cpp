// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceLists.h"

#include "text/WireText.h"
#include "wire/ScoreRecord.h"
#include "wire/StandardLine.h"

namespace ordalis::console {

QString ScoreRecordColumns::header(int column) {
    static const QStringList headers{QStringLiteral("日期"), QStringLiteral("学生"),
                                     QStringLiteral("分数"), QStringLiteral("课题"),
                                     QStringLiteral("评分标准")};
    return headers.value(column);
}

QString ScoreRecordColumns::text(const Row& row, int column) {
    return QStringList{row.time, row.student, row.value, row.topic, row.standard}.value(column);
}

QString StandardColumns::header(int column) {
    static const QStringList headers{QStringLiteral("标准"), QStringLiteral("分值")};
    return headers.value(column);
}

QString StandardColumns::text(const Row& row, int column) {
    return QStringList{row.text, row.score}.value(column);
}

QString numberText(QStringView text) {
    return shortestDecimal(leadingNumber(text));
}

} // namespace ordalis::console
