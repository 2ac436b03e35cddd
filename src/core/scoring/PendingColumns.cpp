// SPDX-License-Identifier: GPL-3.0-or-later
#include "PendingColumns.h"

#include <QStringList>

namespace ordalis {

PendingScore PendingScore::fromText(const QString& line) {
    return {ScoreLine::fromText(line), line};
}

QString PendingColumns::header(int column) {
    static const QStringList headers{QStringLiteral("班级"), QStringLiteral("学生"),
                                     QStringLiteral("分数"), QStringLiteral("时间"),
                                     QStringLiteral("评分标准")};
    return headers.value(column);
}

QString PendingColumns::text(const Row& row, int column) {
    const ScoreLine& score = row.score;
    return QStringList{score.className, score.student, score.score, score.time, score.standard}
        .value(column);
}

} // namespace ordalis
