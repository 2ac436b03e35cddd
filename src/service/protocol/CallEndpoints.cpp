// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/CallEndpoints.h"

#include "protocol/Change.h"
#include "protocol/Names.h"
#include "protocol/ReadLines.h"
#include "protocol/ScoreTime.h"
#include "storage/Sql.h"

#include <QDateTime>
#include <QRegularExpression>

namespace ordalis::service {

namespace {

constexpr int MaxCalls = 5000;

std::optional<QString> dayBound(const QString& text, const QString& missing) {
    static const QRegularExpression day(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (text.isEmpty())
        return missing;
    if (!day.match(text).hasMatch())
        return std::nullopt;
    return text;
}

} // namespace

QString storeCalls(Call& call, qint64 teacherId) {
    const auto lines = splitList(call.field("calls"), MaxCalls);
    if (!lines)
        return QStringLiteral("一次最多上传%1条点名记录").arg(MaxCalls);
    if (lines->isEmpty())
        return {}; // an upload without calls prepares nothing for them
    const QString student =
        QStringLiteral("SELECT s.id FROM students s JOIN classes c ON c.id = s.class_id "
                       "WHERE c.teacher_id = ? AND c.name = ? AND s.name = ?");
    RepeatedStatement insert(call.db,
                             QStringLiteral("INSERT INTO calls (student_id, time_text, how, "
                                            "uploaded_at) VALUES (?, ?, ?, ?)"));
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (int i = 0; i < lines->size(); ++i) {
        const QStringList fields = lines->at(i).split(u'\t');
        const auto refusal = [i](const QString& reason) {
            return QStringLiteral("第%1条点名记录无法上传：%2").arg(i + 1).arg(reason);
        };
        if (fields.size() != 4)
            return refusal(QStringLiteral("应有4个以制表符分隔的字段"));
        const QString time = canonicalScoreTime(fields[2]);
        if (time.isEmpty())
            return refusal(QStringLiteral("时间“%1”格式不正确").arg(fields[2]));
        if (QString problem = nameProblem(fields[3], QStringLiteral("点名方式"));
            !problem.isEmpty())
            return refusal(problem);
        // A student deleted since the lesson has no history to keep: the call is passed over
        // rather than holding back the scores it travels with.
        if (const auto studentId = sqlValue(call.db, student, {teacherId, fields[0], fields[1]}))
            insert.run({*studentId, time, fields[3], now});
    }
    return {};
}

Reply setCalls(Call& call) {
    return runChange(call, [&](qint64 teacherId) { return storeCalls(call, teacherId); });
}

Reply getCalls(Call& call) {
    // An empty text, not a null one: a null value would be bound as SQL NULL.
    const auto from = dayBound(call.field("from"), QStringLiteral(""));
    const auto to = dayBound(call.field("to"), QStringLiteral("9999-12-31"));
    if (!from || !to)
        return Reply::error(400, QStringLiteral("日期应写作yyyy-mm-dd"));
    return readLines(call,
                     QStringLiteral("SELECT s.name, ca.time_text, ca.how FROM calls ca "
                                    "JOIN students s ON s.id = ca.student_id "
                                    "JOIN classes c ON c.id = s.class_id WHERE c.teacher_id = ? "
                                    "AND c.name = ? AND ca.time_text >= ? AND ca.time_text <= ? "
                                    "ORDER BY ca.time_text, ca.id"),
                     {call.field("class"), *from, *to + QStringLiteral(" 23:59:59")}, {});
}

} // namespace ordalis::service
