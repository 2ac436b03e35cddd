// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/CallEndpoints.h"

#include "protocol/Change.h"
#include "protocol/Names.h"
#include "protocol/ReadLines.h"
#include "protocol/ScoreTime.h"
#include "storage/Sql.h"
#include "wire/CallLine.h"
#include "wire/CallRecord.h"
#include "wire/LineFields.h"

namespace ordalis::service {

namespace {

constexpr int MaxCalls = 5000;

} // namespace

Expected<> storeCalls(Call& call, qint64 teacherId) {
    const auto lines = splitList(call.field(wire::field::Calls), MaxCalls);
    if (!lines)
        return refusal(QStringLiteral("一次最多上传%1条点名记录").arg(MaxCalls));
    if (lines->isEmpty())
        return {}; // an upload without calls prepares nothing for them
    const QString student =
        QStringLiteral("SELECT s.id FROM students s JOIN classes c ON c.id = s.class_id "
                       "WHERE c.teacher_id = ? AND c.name = ? AND s.name = ?");
    RepeatedStatement insert(call.db,
                             QStringLiteral("INSERT INTO calls (student_id, time_text, how, "
                                            "uploaded_at) VALUES (?, ?, ?, ?)"));
    const qint64 now = call.now();
    for (int i = 0; i < lines->size(); ++i) {
        const auto refused = [i](const QString& reason) {
            return refusal(QStringLiteral("第%1条点名记录无法上传：%2").arg(i + 1).arg(reason));
        };
        if (fieldCount(lines->at(i)) != 4)
            return refused(QStringLiteral("应有4个以制表符分隔的字段"));
        const CallLine line = CallLine::fromText(lines->at(i));
        const QString time = canonicalScoreTime(line.time);
        if (time.isEmpty())
            return refused(QStringLiteral("时间“%1”格式不正确").arg(line.time));
        if (const Expected<> fits = checkName(line.how, QStringLiteral("点名方式")); !fits)
            return refused(fits.why());
        // A student deleted since the lesson has no history to keep: the call is passed over
        // rather than holding back the scores it travels with.
        if (const auto studentId =
                sqlValue(call.db, student, {teacherId, line.className, line.student}))
            insert.run({*studentId, time, line.how, now});
    }
    return {};
}

Reply setCalls(Call& call) {
    return runChange(call, [&](qint64 teacherId) { return storeCalls(call, teacherId); });
}

Reply getCalls(Call& call) {
    const auto from = dayField(call.field(wire::field::From));
    const auto to = dayField(call.field(wire::field::To));
    if (!from || !to)
        return Reply::text(
            badDayText(from ? call.field(wire::field::To) : call.field(wire::field::From)), 400);
    // Times are compared as their text; an empty text, not a null one, which would be bound
    // as SQL NULL.
    const QString first = from->isNull() ? QStringLiteral("") : from->toString(Qt::ISODate);
    const QString last = (to->isNull() ? QStringLiteral("9999-12-31") : to->toString(Qt::ISODate)) +
                         QStringLiteral(" 23:59:59");
    return readLines(call,
                     QStringLiteral("SELECT s.name AS student, ca.time_text, ca.how FROM calls ca "
                                    "JOIN students s ON s.id = ca.student_id "
                                    "JOIN classes c ON c.id = s.class_id WHERE c.teacher_id = ? "
                                    "AND c.name = ? AND ca.time_text >= ? AND ca.time_text <= ? "
                                    "ORDER BY ca.time_text, ca.id"),
                     {call.field(wire::field::Class), first, last}, [](const SqlRows& row) {
                         return CallRecord{row.value(u"student").toString(),
                                           row.value(u"time_text").toString(),
                                           row.value(u"how").toString()}
                             .toText();
                     });
}

Registrations callRoutes() {
    static const Registration routes[] = {
        {wire::UploadCalls, setCalls},
        {wire::Calls, getCalls},
    };
    return routes;
}

} // namespace ordalis::service
