// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/ExportEndpoints.h"

#include "protocol/Authentication.h"
#include "protocol/NamedRows.h"
#include "protocol/ScoreTime.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"
#include "workbook/WorkbookFiles.h"

#include <QUrl>

namespace ordalis::service {

namespace {

// Far more than a class gathers in years; the workbook is built in memory.
constexpr int MaxExportedScores = 200000;

QByteArray attachment(const QString& fileName) {
    // The plain name for old browsers, the Chinese one for all others.
    const QString suffix = fileName.mid(fileName.lastIndexOf(u'.'));
    return "attachment; filename=\"scores" + suffix.toLatin1() + "\"; filename*=UTF-8''" +
           QUrl::toPercentEncoding(fileName);
}

// The class's rows of the period, read in one snapshot; nullopt for a class the teacher has
// not got.
std::optional<workbook::ClassWorkbook> readBook(Call& call, qint64 teacher, const QDate& from,
                                                const QDate& to, bool* tooMany) {
    workbook::ClassWorkbook book{call.field(wire::field::Class), from, to, {}, {}};
    Transaction snapshot(call.context.database, call.db, Transaction::Read);
    const auto classId =
        sqlValue(call.db, statementsOf(NamedTable::Classes).idByName, {teacher, book.className});
    if (!classId)
        return std::nullopt;
    const QString first = from.isValid() ? from.toString(Qt::ISODate) : QStringLiteral("");
    const QString last = (to.isValid() ? to.toString(Qt::ISODate) : QStringLiteral("9999-12-31")) +
                         QStringLiteral(" 23:59:59");
    QStringList roster;
    SqlRows students = sqlRun(
        call.db, QStringLiteral("SELECT name FROM students WHERE class_id = ? ORDER BY position"),
        {*classId});
    while (students.next())
        roster.append(students.value(0).toString());
    QList<workbook::CallEntry> calls;
    SqlRows called = sqlRun(call.db,
                            QStringLiteral("SELECT s.name, ca.time_text, ca.how FROM calls ca "
                                           "JOIN students s ON s.id = ca.student_id "
                                           "WHERE s.class_id = ? AND ca.time_text >= ? "
                                           "AND ca.time_text <= ? ORDER BY ca.time_text, ca.id"),
                            {*classId, first, last});
    while (called.next())
        calls.append(
            {called.value(0).toString(), called.value(1).toString(), called.value(2).toString()});
    SqlRows scored = sqlRun(
        call.db,
        QStringLiteral("SELECT s.name, sc.time_text, sc.value, sc.topic, sc.remark FROM scores sc "
                       "JOIN students s ON s.id = sc.student_id WHERE sc.class_id = ? "
                       "AND sc.time_text >= ? AND sc.time_text <= ? "
                       "ORDER BY sc.time_text, sc.id LIMIT ?"),
        {*classId, first, last, MaxExportedScores + 1});
    while (scored.next())
        book.scores.append({scored.value(0).toString(), scored.value(1).toString(),
                            scored.value(2).toDouble(), scored.value(3).toString(),
                            scored.value(4).toString()});
    *tooMany = book.scores.size() > MaxExportedScores;
    book.students = workbook::summarize(roster, calls, book.scores);
    return book;
}

} // namespace

Reply exportScores(Call& call) {
    const QString format = call.field(wire::field::Format).isEmpty()
                               ? QStringLiteral("xlsx")
                               : call.field(wire::field::Format);
    if (format != u"xlsx" && format != u"csv")
        return Reply::text(QStringLiteral("format应为xlsx或csv"), 400);
    const auto from = dayField(call.field(wire::field::From));
    const auto to = dayField(call.field(wire::field::To));
    if (!from || !to)
        return Reply::text(
            badDayText(from ? call.field(wire::field::To) : call.field(wire::field::From)), 400);
    const Expected<qint64> teacher = authenticateReader(call);
    if (!teacher)
        return Reply::refused(teacher.refusal());
    bool tooMany = false;
    const auto book = readBook(call, *teacher, *from, *to, &tooMany);
    if (!book)
        return Reply::text(QStringLiteral("找不到班级“%1”").arg(call.field(wire::field::Class)),
                           404);
    if (tooMany)
        return Reply::text(QStringLiteral("计分超过%1条，请选择较短的时段").arg(MaxExportedScores),
                           413);
    Reply reply;
    if (format == u"csv") {
        reply = Reply::bytes(workbook::toCsv(*book), QByteArrayLiteral("text/csv; charset=UTF-8"));
    } else {
        Expected<QByteArray> bytes = workbook::toXlsx(*book);
        if (!bytes) {
            qWarning("ordalis-service: workbook not written: %s", qPrintable(bytes.why()));
            return Reply::error(500, QStringLiteral("Workbook not written"));
        }
        reply = Reply::bytes(
            std::move(bytes).value(),
            QByteArrayLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"));
    }
    reply.disposition = attachment(workbook::fileName(*book, format));
    return reply;
}

Registrations exportRoutes() {
    static const Registration routes[] = {
        {wire::Export, exportScores},
    };
    return routes;
}

} // namespace ordalis::service
