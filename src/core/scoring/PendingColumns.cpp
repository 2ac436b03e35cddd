// SPDX-License-Identifier: GPL-3.0-or-later
#include "PendingColumns.h"

namespace ordalis {

PendingScore PendingScore::fromText(const QString& line) {
    return {ScoreLine::fromText(line), line};
}

QString PendingColumns::header(int column) {
    switch (column) {
    case Class:
        return QStringLiteral("班级");
    case Student:
        return QStringLiteral("学生");
    case Score:
        return QStringLiteral("分数");
    case Time:
        return QStringLiteral("时间");
    case Standard:
        return QStringLiteral("评分标准");
    }
    return {};
}

QString PendingColumns::text(const Row& row, int column) {
    const ScoreLine& score = row.score;
    switch (column) {
    case Class:
        return score.className;
    case Student:
        return score.student;
    case Score:
        return score.score;
    case Time:
        return score.time;
    case Standard:
        return score.standard;
    }
    return {};
}

} // namespace ordalis
