// SPDX-License-Identifier: GPL-3.0-or-later
// Scoring standards of a topic. Deleting or editing a standard leaves recorded scores alone:
// a score keeps the standard text it was given with.

#include "protocol/StandardEndpoints.h"

#include "protocol/Change.h"
#include "protocol/Names.h"
#include "protocol/ReadLines.h"
#include "protocol/ScoreValue.h"
#include "storage/Sql.h"
#include "text/WireText.h"
#include "wire/StandardLine.h"

namespace ordalis::service {

namespace {

constexpr int MaxNewStandards = 20;

std::optional<qint64> findTopic(const QSqlDatabase& db, qint64 teacherId, const QString& name) {
    const auto id =
        sqlValue(db, QStringLiteral("SELECT id FROM topics WHERE teacher_id = ? AND name = ?"),
                 {teacherId, name});
    return id ? std::optional<qint64>(id->toLongLong()) : std::nullopt;
}

} // namespace

Reply getScales(Call& call) {
    return readLines(
        call,
        QStringLiteral(
            "SELECT s.id, s.text, s.score FROM standards s JOIN topics t ON t.id = s.topic_id "
            "WHERE t.teacher_id = ? AND t.name = ? ORDER BY s.id"),
        {call.field(wire::field::Topic)}, [](const SqlRows& row) {
            return StandardLine{row.value(u"id").toString(), row.value(u"text").toString(),
                                shortestDecimal(row.value(u"score").toDouble())}
                .toText();
        });
}

Reply newScales(Call& call) {
    const QString topic = call.field(wire::field::Topic);
    const QStringList texts = call.field(wire::field::NewStandardTexts).split(u'\t');
    const QStringList scores = call.field(wire::field::NewStandardScores).split(u'\t');
    return runChange(call, [&](qint64 teacherId) -> Expected<> {
        const auto topicId = findTopic(call.db, teacherId, topic);
        if (!topicId)
            return refusal(QStringLiteral("找不到课题：%1").arg(topic));
        if (texts.size() > MaxNewStandards || scores.size() > MaxNewStandards)
            return refusal(QStringLiteral("一次最多添加%1个标准").arg(MaxNewStandards));
        int added = 0;
        for (int i = 0; i < std::max(texts.size(), scores.size()); ++i) {
            const QString text = i < texts.size() ? texts[i].trimmed() : QString();
            const QString score = i < scores.size() ? scores[i].trimmed() : QString();
            if (text.isEmpty() && score.isEmpty())
                continue;
            if (text.isEmpty())
                return refusal(QStringLiteral("第%1个标准只有评分，没有标准内容").arg(i + 1));
            if (Expected<> fits = checkName(text, QStringLiteral("标准内容")); !fits)
                return fits;
            const auto value = scoreValue(score);
            if (!value)
                return refusal(scoreOutOfRange(score));
            sqlRun(call.db,
                   QStringLiteral("INSERT INTO standards (topic_id, text, score) VALUES (?, ?, ?)"),
                   {*topicId, text, *value});
            ++added;
        }
        if (added == 0)
            return refusal(QStringLiteral("至少填写一个标准"));
        return {};
    });
}

Reply editScale(Call& call) {
    const QString text = call.field(wire::field::StandardText).trimmed();
    const auto score = scoreValue(call.field(wire::field::Score));
    bool validId = false;
    const qint64 id = call.field(wire::field::StandardId).trimmed().toLongLong(&validId);
    return runChange(call, [&](qint64 teacherId) -> Expected<> {
        if (Expected<> fits = checkName(text, QStringLiteral("标准内容")); !fits)
            return fits;
        if (!score)
            return refusal(scoreOutOfRange(call.field(wire::field::Score)));
        const bool changed =
            validId &&
            sqlRun(call.db,
                   QStringLiteral(
                       "UPDATE standards SET text = ?, score = ? WHERE id = ? AND topic_id IN "
                       "(SELECT id FROM topics WHERE teacher_id = ?)"),
                   {text, *score, id, teacherId})
                    .numRowsAffected() > 0;
        if (!changed)
            return refusal(QStringLiteral("找不到该标准"));
        return {};
    });
}

Reply deleteScales(Call& call) {
    return deleteByIds(call, DeletedKind::Standard,
                       QStringLiteral("DELETE FROM standards WHERE id = ? AND topic_id IN "
                                      "(SELECT id FROM topics WHERE teacher_id = ?)"),
                       QStringLiteral("标准编号不正确"));
}

Registrations standardRoutes() {
    static const Registration routes[] = {
        {wire::Standards, getScales},
        {wire::NewStandards, newScales},
        {wire::EditStandard, editScale},
        {wire::DeleteStandards, deleteScales},
    };
    return routes;
}

} // namespace ordalis::service
