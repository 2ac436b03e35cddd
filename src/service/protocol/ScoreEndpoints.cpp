// SPDX-License-Identifier: GPL-3.0-or-later
// Recorded scores: the upload of score lines, and the score list of a class with its edits.
// A score is kept with the number it counts for, the text it was given as ("3分"), the
// wall-clock time the program recorded, the topic and the standard text as its remark.

#include "protocol/ScoreEndpoints.h"

#include "protocol/CallEndpoints.h"
#include "protocol/Change.h"
#include "protocol/Names.h"
#include "protocol/ReadLines.h"
#include "protocol/ScoreTime.h"
#include "protocol/ScoreValue.h"
#include "protocol/UploadRoster.h"
#include "storage/RowInserter.h"
#include "storage/Sql.h"
#include "text/WireText.h"
#include "wire/LineFields.h"
#include "wire/ScoreLine.h"
#include "wire/ScoreRecord.h"

#include <QDateTime>
#include <QSet>

namespace ordalis::service {

namespace {

constexpr int MaxUploadLines = 5000;

QString lineRefusal(int lineNumber, const QString& reason) {
    return QStringLiteral("第%1行无法上传：%2").arg(lineNumber).arg(reason);
}

struct ScoreRow {
    qint64 classId;
    qint64 studentId;
    double value;
    QString scoreText;
    QString time;
    QString remark;
};

// One upload line, class TAB student TAB score TAB time [TAB standard], read apart from the
// database: on the request's own thread, before the change's transaction.
struct ReadScoreLine {
    QString className;
    QString student;
    ScoreRow row;
    QString badShape; // refuses the line before its names are looked up
    QString badValue; // refuses it once the names are found: the score, time or a text
};

// A line of four fields has no standard, of five its standard as the remark.
ReadScoreLine readScoreLine(const QString& text) {
    ReadScoreLine read;
    if (const qsizetype fields = fieldCount(text); fields < 4 || fields > 5) {
        read.badShape = QStringLiteral("应有5个以制表符分隔的字段");
        return read;
    }
    const ScoreLine line = ScoreLine::fromText(text);
    read.className = line.className;
    read.student = line.student;
    const auto value = scoreValue(line.score);
    const QString time = canonicalScoreTime(line.time);
    if (!hasLeadingNumber(line.score))
        read.badValue = QStringLiteral("计分“%1”不是以数字开头，请在上传前修改").arg(line.score);
    else if (!value)
        read.badValue = scoreOutOfRange(line.score);
    else if (time.isEmpty())
        read.badValue = QStringLiteral("时间“%1”格式不正确").arg(line.time);
    else if (const Expected<> fits = checkText(line.score, QStringLiteral("计分")); !fits)
        read.badValue = fits.why();
    else if (const Expected<> fits = checkText(line.standard, QStringLiteral("评分标准")); !fits)
        read.badValue = fits.why();
    else
        read.row = {0, 0, *value, line.score, time, line.standard};
    return read;
}

// The line's student found in the roster, or the line's refusal.
Expected<> acceptScoreLine(const UploadRoster& roster, ReadScoreLine* line) {
    if (!line->badShape.isEmpty())
        return refusal(line->badShape);
    const auto found = roster.classes.constFind(line->className);
    if (found == roster.classes.cend())
        return refusal(QStringLiteral("找不到班级“%1”").arg(line->className));
    const auto student = found->students.constFind(line->student);
    if (student == found->students.cend())
        return refusal(
            QStringLiteral("班级“%1”中找不到学生“%2”").arg(line->className, line->student));
    line->row.classId = found->id;
    line->row.studentId = *student;
    if (!line->badValue.isEmpty())
        return refusal(line->badValue);
    return {};
}

// The classes the readable lines name.
QSet<QString> namedClasses(const QList<ReadScoreLine>& lines) {
    QSet<QString> names;
    for (const ReadScoreLine& line : lines)
        if (line.badShape.isEmpty())
            names.insert(line.className);
    return names;
}

void insertScores(const QSqlDatabase& db, const QList<ScoreRow>& rows, const QString& topic) {
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    RowInserter scores(db, QStringLiteral("INSERT INTO scores (class_id, student_id, value, "
                                          "score_text, time_text, topic, remark, uploaded_at) "
                                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const ScoreRow& row : rows)
        scores.add(row.classId, row.studentId, row.value, row.scoreText, row.time, topic,
                   row.remark, now);
    scores.flush();
}

const QString OwnScore =
    QStringLiteral("class_id IN (SELECT id FROM classes WHERE teacher_id = ?)");

} // namespace

Reply uploadScores(Call& call) {
    const QString topic = call.field(wire::field::Topic);
    const auto lines = splitList(call.field(wire::field::Score), MaxUploadLines);
    QList<ReadScoreLine> read;
    if (lines) {
        read.reserve(lines->size());
        for (const QString& line : *lines)
            read.append(readScoreLine(line));
    }
    const bool sqlite = call.context.database.isSqlite();
    const QSet<QString> classNames = namedClasses(read);
    UploadRosterCache& rosters = call.context.rosters;
    // The roster of the teacher's last upload, or on SQLite one read before the change's
    // transaction (while other teachers' uploads are being written): taken inside while the
    // teacher's revision is still the one it was read at. The revision is read first: a change
    // committed between the two reads shows in it.
    qint64 earlyRevision = -1;
    SharedRoster roster;
    auto readEarly = [&](qint64 teacherId) {
        if (!sqlite || classNames.isEmpty())
            return;
        earlyRevision = revisionOf(call.db, teacherId);
        roster = readRoster(call.db, sqlite, teacherId, classNames,
                            rosters.at(teacherId, earlyRevision));
    };
    qint64 teacher = 0, storedRevision = -1;
    qsizetype stored = 0; // stays 0 for a batch stored before
    Reply reply = runChange(call, readEarly, [&](qint64 teacherId) -> Expected<> {
        if (!lines)
            return refusal(QStringLiteral("一次最多上传%1行").arg(MaxUploadLines));
        if (lines->isEmpty())
            return refusal(QStringLiteral("没有要上传的计分"));
        if (Expected<> fits = checkText(topic, QStringLiteral("课题名称")); !fits)
            return fits;
        const qint64 revision = revisionOf(call.db, teacherId);
        if (!roster || revision != earlyRevision)
            roster =
                readRoster(call.db, sqlite, teacherId, classNames, rosters.at(teacherId, revision));
        QList<ScoreRow> rows;
        rows.reserve(read.size());
        for (int i = 0; i < read.size(); ++i) {
            if (const Expected<> accepted = acceptScoreLine(*roster, &read[i]); !accepted)
                return refusal(lineRefusal(i + 1, accepted.why()));
            rows.append(read[i].row);
        }
        insertScores(call.db, rows, topic);
        // The calls of the same lesson, when they come along: all or none with the scores.
        if (Expected<> callsStored = storeCalls(call, teacherId); !callsStored)
            return callsStored;
        stored = rows.size();
        teacher = teacherId;
        storedRevision = revision + 1; // the change's own count, see runChange
        return {};
    });
    // runChange answers only once the commit is done; a failed commit throws.
    if (stored > 0) {
        call.context.metrics.uploadStored(stored);
        rosters.store(teacher, storedRevision, roster);
    }
    return reply;
}

Reply getScores(Call& call) {
    return readLines(
        call,
        QStringLiteral(
            "SELECT sc.id, s.name AS student, sc.value, sc.time_text, sc.topic, "
            "sc.remark FROM classes c "
            "JOIN scores sc ON sc.class_id = c.id JOIN students s ON s.id = sc.student_id "
            "WHERE c.teacher_id = ? AND c.name = ? ORDER BY sc.id"),
        {call.field(wire::field::Class)}, [](const SqlRows& row) {
            return ScoreRecord{row.value(u"id").toString(),
                               row.value(u"student").toString(),
                               shortestDecimal(row.value(u"value").toDouble()),
                               row.value(u"time_text").toString(),
                               row.value(u"topic").toString(),
                               row.value(u"remark").toString()}
                .toText();
        });
}

Reply editScore(Call& call) {
    bool validId = false;
    const qint64 id = call.field(wire::field::ScoreId).trimmed().toLongLong(&validId);
    bool validTime = false;
    const qint64 seconds = call.field(wire::field::Time).trimmed().toLongLong(&validTime);
    const auto value = scoreValue(call.field(wire::field::Score));
    const QString topic = call.field(wire::field::Topic);
    const QString remark = call.field(wire::field::Remark);
    return runChange(call, [&](qint64 teacherId) -> Expected<> {
        if (!value)
            return refusal(scoreOutOfRange(call.field(wire::field::Score)));
        if (!validTime || seconds < INT32_MIN || seconds > INT32_MAX)
            return refusal(QStringLiteral("时间不正确"));
        if (Expected<> fits = checkText(topic, QStringLiteral("课题名称")); !fits)
            return fits;
        if (Expected<> fits = checkText(remark, QStringLiteral("说明")); !fits)
            return fits;
        const bool changed =
            validId && sqlRun(call.db,
                              QStringLiteral("UPDATE scores SET value = ?, score_text = ?, "
                                             "time_text = ?, topic = ?, remark = ? "
                                             "WHERE id = ? AND ") +
                                  OwnScore,
                              {*value, shortestDecimal(*value), secondsToDate(qint32(seconds)),
                               topic, remark, id, teacherId})
                               .numRowsAffected() > 0;
        if (!changed)
            return refusal(QStringLiteral("找不到该计分记录"));
        return {};
    });
}

Reply deleteScores(Call& call) {
    return deleteByIds(call, DeletedKind::Score,
                       QStringLiteral("DELETE FROM scores WHERE id = ? AND ") + OwnScore,
                       QStringLiteral("计分编号不正确"));
}

Registrations scoreRoutes() {
    static const Registration routes[] = {
        {wire::UploadScores, uploadScores},
        {wire::Scores, getScores},
        {wire::EditScore, editScore},
        {wire::DeleteScores, deleteScores},
    };
    return routes;
}

} // namespace ordalis::service
