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

QString ScoreRecordColumns::header(int column) {
    switch (column) {
    case Date:
        return QStringLiteral("日期");
    case Student:
        return QStringLiteral("学生");
    case Score:
        return QStringLiteral("分数");
    case Topic:
        return QStringLiteral("课题");
    case Standard:
        return QStringLiteral("评分标准");
    }
    return {};
}

QString ScoreRecordColumns::text(const Row& row, int column) {
    switch (column) {
    case Date:
        return row.time;
    case Student:
        return row.student;
    case Score:
        return row.value;
    case Topic:
        return row.topic;
    case Standard:
        return row.standard;
    }
    return {};
}

QString StandardColumns::header(int column) {
    switch (column) {
    case Text:
        return QStringLiteral("标准");
    case Score:
        return QStringLiteral("分值");
    }
    return {};
}

QString StandardColumns::text(const Row& row, int column) {
    switch (column) {
    case Text:
        return row.text;
    case Score:
        return row.score;
    }
    return {};
}

QString numberText(QStringView text) {
    return shortestDecimal(leadingNumber(text));
}

} // namespace ordalis::console
