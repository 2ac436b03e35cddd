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
#include "storage/Sql.h"
#include "text/WireText.h"

#include <QDateTime>
#include <QHash>

namespace ordalis::service {

namespace {

constexpr int MaxUploadLines = 5000;
constexpr qsizetype RowsPerInsert = 100;

QString lineRefusal(int lineNumber, const QString& reason) {
    return QStringLiteral("第%1行无法上传：%2").arg(lineNumber).arg(reason);
}

struct ScoreRow {
    qint64 studentId;
    double value;
    QString scoreText;
    QString time;
    QString remark;
};

// Reads one upload line: class TAB student TAB score TAB time [TAB standard].
QString readScoreLine(const QString& line, const QHash<QString, QHash<QString, qint64>>& roster,
                      ScoreRow* row) {
    const QStringList fields = line.split(u'\t');
    if (fields.size() < 4 || fields.size() > 5)
        return QStringLiteral("应有5个以制表符分隔的字段");
    const auto students = roster.constFind(fields[0]);
    if (students == roster.cend())
        return QStringLiteral("找不到班级“%1”").arg(fields[0]);
    const auto student = students->constFind(fields[1]);
    if (student == students->cend())
        return QStringLiteral("班级“%1”中找不到学生“%2”").arg(fields[0], fields[1]);
    if (!hasLeadingNumber(fields[2]))
        return QStringLiteral("计分“%1”不是以数字开头，请在上传前修改").arg(fields[2]);
    const auto value = scoreValue(fields[2]);
    if (!value)
        return scoreOutOfRange(fields[2]);
    const QString time = canonicalScoreTime(fields[3]);
    if (time.isEmpty())
        return QStringLiteral("时间“%1”格式不正确").arg(fields[3]);
    const QString remark = fields.size() == 5 ? fields[4] : QString();
    if (QString problem = textProblem(fields[2], QStringLiteral("计分")); !problem.isEmpty())
        return problem;
    if (QString problem = textProblem(remark, QStringLiteral("评分标准")); !problem.isEmpty())
        return problem;
    *row = {*student, *value, fields[2], time, remark};
    return {};
}

QHash<QString, QHash<QString, qint64>> loadRoster(const QSqlDatabase& db, qint64 teacherId) {
    QHash<QString, QHash<QString, qint64>> roster;
    QSqlQuery rows = sqlRun(
        db,
        QStringLiteral(
            "SELECT c.name, s.name, s.id FROM classes c JOIN students s ON s.class_id = c.id "
            "WHERE c.teacher_id = ?"),
        {teacherId});
    while (rows.next())
        roster[rows.value(0).toString()].insert(rows.value(1).toString(),
                                                rows.value(2).toLongLong());
    return roster;
}

// Many rows per statement: one round trip to a database server for a hundred lines.
void insertScores(const QSqlDatabase& db, const QList<ScoreRow>& rows, const QString& topic) {
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    auto statementFor = [](qsizetype count) {
        QStringList values(count, QStringLiteral("(?, ?, ?, ?, ?, ?, ?)"));
        return QStringLiteral("INSERT INTO scores (student_id, value, score_text, time_text, "
                              "topic, remark, uploaded_at) VALUES ") +
               values.join(QStringLiteral(", "));
    };
    std::optional<PreparedStatement> full;
    for (qsizetype start = 0; start < rows.size(); start += RowsPerInsert) {
        const qsizetype count = std::min(RowsPerInsert, rows.size() - start);
        QVariantList values;
        values.reserve(count * 7);
        for (const ScoreRow& row : rows.mid(start, count))
            values << row.studentId << row.value << row.scoreText << row.time << topic << row.remark
                   << now;
        if (count < RowsPerInsert) {
            PreparedStatement(db, statementFor(count)).run(values);
            continue;
        }
        if (!full)
            full.emplace(db, statementFor(RowsPerInsert));
        full->run(values);
    }
}

const QString OwnScore = QStringLiteral("student_id IN (SELECT s.id FROM students s JOIN classes "
                                        "c ON c.id = s.class_id WHERE c.teacher_id = ?)");

} // namespace

Reply uploadScores(Call& call) {
    const QString topic = call.field("keti");
    const auto lines = splitList(call.field("score"), MaxUploadLines);
    return runChange(call, [&](qint64 teacherId) {
        if (!lines)
            return QStringLiteral("一次最多上传%1行").arg(MaxUploadLines);
        if (lines->isEmpty())
            return QStringLiteral("没有要上传的计分");
        if (QString problem = textProblem(topic, QStringLiteral("课题名称")); !problem.isEmpty())
            return problem;
        const auto roster = loadRoster(call.db, teacherId);
        QList<ScoreRow> rows(lines->size());
        for (int i = 0; i < lines->size(); ++i)
            if (QString problem = readScoreLine(lines->at(i), roster, &rows[i]); !problem.isEmpty())
                return lineRefusal(i + 1, problem);
        insertScores(call.db, rows, topic);
        // The calls of the same lesson, when they come along: all or none with the scores.
        return storeCalls(call, teacherId);
    });
}

Reply getScores(Call& call) {
    return readLines(
        call,
        QStringLiteral(
            "SELECT sc.id, s.name, sc.value, sc.time_text, sc.topic, sc.remark FROM scores sc "
            "JOIN students s ON s.id = sc.student_id JOIN classes c ON c.id = s.class_id "
            "WHERE c.teacher_id = ? AND c.name = ? ORDER BY sc.id"),
        {call.field("class")}, {2});
}

Reply editScore(Call& call) {
    bool validId = false;
    const qint64 id = call.field("scoreid").trimmed().toLongLong(&validId);
    bool validTime = false;
    const qint64 seconds = call.field("time").trimmed().toLongLong(&validTime);
    const auto value = scoreValue(call.field("score"));
    const QString topic = call.field("keti");
    const QString remark = call.field("addtion");
    return runChange(call, [&](qint64 teacherId) {
        if (!value)
            return scoreOutOfRange(call.field("score"));
        if (!validTime || seconds < INT32_MIN || seconds > INT32_MAX)
            return QStringLiteral("时间不正确");
        if (QString problem = textProblem(topic, QStringLiteral("课题名称")); !problem.isEmpty())
            return problem;
        if (QString problem = textProblem(remark, QStringLiteral("说明")); !problem.isEmpty())
            return problem;
        const bool changed =
            validId && sqlRun(call.db,
                              QStringLiteral("UPDATE scores SET value = ?, score_text = ?, "
                                             "time_text = ?, topic = ?, remark = ? "
                                             "WHERE id = ? AND ") +
                                  OwnScore,
                              {*value, shortestDecimal(*value), secondsToDate(qint32(seconds)),
                               topic, remark, id, teacherId})
                               .numRowsAffected() > 0;
        return changed ? QString() : QStringLiteral("找不到该计分记录");
    });
}

Reply deleteScores(Call& call) {
    return deleteByIds(call, DeletedKind::Score,
                       QStringLiteral("DELETE FROM scores WHERE id = ? AND ") + OwnScore,
                       QStringLiteral("计分编号不正确"));
}

} // namespace ordalis::service
