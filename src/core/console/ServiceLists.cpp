// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceLists.h"

#include "text/WireText.h"
#include "wire/ScoreRecord.h"
#include "wire/StandardLine.h"

namespace ordalis::console {

ListLines scoreLines() {
    return {{{QStringLiteral("日期"),
              [](const QString& line) { return ScoreRecord::fromText(line).time; }},
             {QStringLiteral("学生"),
              [](const QString& line) { return ScoreRecord::fromText(line).student; }},
             {QStringLiteral("分数"),
              [](const QString& line) { return ScoreRecord::fromText(line).value; }},
             {QStringLiteral("课题"),
              [](const QString& line) { return ScoreRecord::fromText(line).topic; }},
             {QStringLiteral("评分标准"),
              [](const QString& line) { return ScoreRecord::fromText(line).standard; }}},
            [](const QString& line) { return ScoreRecord::fromText(line).id; },
            [](const QString& line) {
                const ScoreRecord score = ScoreRecord::fromText(line);
                return QStringList{score.id,   score.student, score.value,
                                   score.time, score.topic,   score.standard};
            }};
}

ListLines standardLines() {
    return {{{QStringLiteral("标准"),
              [](const QString& line) { return StandardLine::fromText(line).text; }},
             {QStringLiteral("分值"),
              [](const QString& line) { return StandardLine::fromText(line).score; }}},
            [](const QString& line) { return StandardLine::fromText(line).id; },
            [](const QString& line) {
                const StandardLine standard = StandardLine::fromText(line);
                return QStringList{standard.id, standard.text, standard.score};
            }};
}

QString numberText(QStringView text) {
    return shortestDecimal(leadingNumber(text));
}

} // namespace ordalis::console
