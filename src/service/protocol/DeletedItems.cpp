// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/DeletedItems.h"

#include "protocol/NamedRows.h"
#include "storage/Sql.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ordalis::service {

namespace {

constexpr DeletedKind AllKinds[] = {DeletedKind::Class, DeletedKind::Student, DeletedKind::Topic,
                                    DeletedKind::Standard, DeletedKind::Score};

const char* kindName(DeletedKind kind) {
    switch (kind) {
    case DeletedKind::Class:
        return "class";
    case DeletedKind::Student:
        return "student";
    case DeletedKind::Topic:
        return "topic";
    case DeletedKind::Standard:
        return "standard";
    case DeletedKind::Score:
        break;
    }
    return "score";
}

DeletedKind kindNamed(const QString& name) {
    for (DeletedKind kind : AllKinds)
        if (name == QLatin1String(kindName(kind)))
            return kind;
    return DeletedKind::Score;
}

// The oldest deletion still kept.
qint64 keptSince(qint64 now) {
    return now - qint64(DeletedKeptDays) * 24 * 3600;
}

// A score from six columns from `first` on: value, text, time, topic, remark, upload time.
QJsonObject scoreAt(const SqlRows& row, int first) {
    return {{"value", row.value(first).toDouble()},
            {"text", row.value(first + 1).toString()},
            {"time", row.value(first + 2).toString()},
            {"topic", row.value(first + 3).toString()},
            {"remark", row.value(first + 4).toString()},
            {"uploaded", row.value(first + 5).toLongLong()}};
}

QJsonArray scoresOf(const QSqlDatabase& db, qint64 classId, qint64 studentId) {
    QJsonArray scores;
    SqlRows rows = sqlRun(db,
                          QStringLiteral("SELECT value, score_text, time_text, topic, remark, "
                                         "uploaded_at FROM scores WHERE class_id = ? AND "
                                         "student_id = ? ORDER BY id"),
                          {classId, studentId});
    while (rows.next())
        scores.append(scoreAt(rows, 0));
    return scores;
}

QJsonArray callsOf(const QSqlDatabase& db, qint64 studentId) {
    QJsonArray calls;
    SqlRows rows = sqlRun(db,
                          QStringLiteral("SELECT time_text, how, uploaded_at FROM calls "
                                         "WHERE student_id = ? ORDER BY id"),
                          {studentId});
    while (rows.next())
        calls.append(QJsonObject{{"time", rows.value(0).toString()},
                                 {"how", rows.value(1).toString()},
                                 {"uploaded", rows.value(2).toLongLong()}});
    return calls;
}

// A student from the columns id, name, group, in the class.
QJsonObject studentOf(const QSqlDatabase& db, SqlRows& row, qint64 classId) {
    const qint64 id = row.value(0).toLongLong();
    return {{"name", row.value(1).toString()},
            {"group", row.value(2).toInt()},
            {"scores", scoresOf(db, classId, id)},
            {"calls", callsOf(db, id)}};
}

std::optional<QJsonObject> snapshot(const QSqlDatabase& db, qint64 teacherId, DeletedKind kind,
                                    qint64 rowId) {
    switch (kind) {
    case DeletedKind::Class: {
        const auto name =
            sqlValue(db, QStringLiteral("SELECT name FROM classes WHERE id = ? AND teacher_id = ?"),
                     {rowId, teacherId});
        if (!name)
            return std::nullopt;
        QJsonArray students;
        SqlRows rows = sqlRun(db,
                              QStringLiteral("SELECT id, name, group_no FROM students "
                                             "WHERE class_id = ? ORDER BY position"),
                              {rowId});
        while (rows.next())
            students.append(studentOf(db, rows, rowId));
        return QJsonObject{{"name", name->toString()}, {"students", students}};
    }
    case DeletedKind::Student: {
        SqlRows row = sqlRun(db,
                             QStringLiteral("SELECT s.id, s.name, s.group_no, c.name, c.id FROM "
                                            "students s JOIN classes c ON c.id = s.class_id "
                                            "WHERE s.id = ? AND c.teacher_id = ?"),
                             {rowId, teacherId});
        if (!row.next())
            return std::nullopt;
        QJsonObject student = studentOf(db, row, row.value(4).toLongLong());
        student.insert("class", row.value(3).toString());
        return student;
    }
    case DeletedKind::Topic: {
        const auto name =
            sqlValue(db, QStringLiteral("SELECT name FROM topics WHERE id = ? AND teacher_id = ?"),
                     {rowId, teacherId});
        if (!name)
            return std::nullopt;
        QJsonArray standards;
        SqlRows rows = sqlRun(
            db, QStringLiteral("SELECT text, score FROM standards WHERE topic_id = ? ORDER BY id"),
            {rowId});
        while (rows.next())
            standards.append(QJsonObject{{"text", rows.value(0).toString()},
                                         {"score", rows.value(1).toDouble()}});
        return QJsonObject{{"name", name->toString()}, {"standards", standards}};
    }
    case DeletedKind::Standard: {
        SqlRows row = sqlRun(db,
                             QStringLiteral("SELECT t.name, s.text, s.score FROM standards s "
                                            "JOIN topics t ON t.id = s.topic_id "
                                            "WHERE s.id = ? AND t.teacher_id = ?"),
                             {rowId, teacherId});
        if (!row.next())
            return std::nullopt;
        return QJsonObject{{"topic", row.value(0).toString()},
                           {"text", row.value(1).toString()},
                           {"score", row.value(2).toDouble()}};
    }
    case DeletedKind::Score:
        break;
    }
    SqlRows row =
        sqlRun(db,
               QStringLiteral(
                   "SELECT c.name, s.name, sc.value, sc.score_text, sc.time_text, sc.topic, "
                   "sc.remark, sc.uploaded_at FROM scores sc "
                   "JOIN students s ON s.id = sc.student_id JOIN classes c ON c.id = sc.class_id "
                   "WHERE sc.id = ? AND c.teacher_id = ?"),
               {rowId, teacherId});
    if (!row.next())
        return std::nullopt;
    return QJsonObject{{"class", row.value(0).toString()},
                       {"student", row.value(1).toString()},
                       {"scores", QJsonArray{scoreAt(row, 2)}}};
}

// Finds a named row under a parent, or adds it at the end of its list; whether it was added.
std::pair<qint64, bool> findOrAppend(const QSqlDatabase& db, NamedTable table, qint64 parentId,
                                     const QString& name) {
    const NamedRowStatements& statements = statementsOf(table);
    if (const auto id = sqlValue(db, statements.idByName, {parentId, name}))
        return {id->toLongLong(), false};
    const qint64 position =
        sqlValue(db, statements.nextPosition, {parentId}).value_or(0).toLongLong();
    return {sqlValue(db, statements.insert, {parentId, name, position})->toLongLong(), true};
}

struct Restorer {
    const QSqlDatabase& db;
    qint64 teacherId;
    int classes = 0, students = 0, topics = 0, standards = 0, scores = 0;

    qint64 classNamed(const QString& name) {
        return findOrAppend(db, NamedTable::Classes, teacherId, name).first;
    }
    void student(qint64 classId, const QJsonObject& content) {
        const auto [id, added] =
            findOrAppend(db, NamedTable::Students, classId, content["name"].toString());
        // A student who is there again keeps the group given since.
        if (added && content.contains("group"))
            sqlRun(db, QStringLiteral("UPDATE students SET group_no = ? WHERE id = ?"),
                   {content["group"].toInt(), id});
        for (const QJsonValue& score : content["scores"].toArray()) {
            const QJsonObject s = score.toObject();
            sqlRun(db,
                   QStringLiteral("INSERT INTO scores (class_id, student_id, value, score_text, "
                                  "time_text, topic, remark, uploaded_at) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                   {classId, id, s["value"].toDouble(), s["text"].toString(), s["time"].toString(),
                    s["topic"].toString(), s["remark"].toString(),
                    qint64(s["uploaded"].toDouble())});
            ++scores;
        }
        for (const QJsonValue& call : content["calls"].toArray()) {
            const QJsonObject c = call.toObject();
            sqlRun(
                db,
                QStringLiteral("INSERT INTO calls (student_id, time_text, how, uploaded_at) "
                               "VALUES (?, ?, ?, ?)"),
                {id, c["time"].toString(), c["how"].toString(), qint64(c["uploaded"].toDouble())});
        }
    }
    qint64 topicNamed(const QString& name) {
        return findOrAppend(db, NamedTable::Topics, teacherId, name).first;
    }
    void standard(qint64 topicId, const QJsonObject& content) {
        const QVariantList values = {topicId, content["text"].toString(),
                                     content["score"].toDouble()};
        if (sqlValue(db,
                     QStringLiteral("SELECT id FROM standards WHERE topic_id = ? AND text = ? "
                                    "AND score = ?"),
                     values))
            return; // given again since
        sqlRun(db, QStringLiteral("INSERT INTO standards (topic_id, text, score) VALUES (?, ?, ?)"),
               values);
        ++standards;
    }

    void restore(DeletedKind kind, const QJsonObject& content) {
        switch (kind) {
        case DeletedKind::Class: {
            const qint64 classId = classNamed(content["name"].toString());
            ++classes;
            for (const QJsonValue& one : content["students"].toArray()) {
                student(classId, one.toObject());
                ++students;
            }
            return;
        }
        case DeletedKind::Student:
            student(classNamed(content["class"].toString()), content);
            ++students;
            return;
        case DeletedKind::Topic: {
            const qint64 topicId = topicNamed(content["name"].toString());
            ++topics;
            for (const QJsonValue& one : content["standards"].toArray())
                standard(topicId, one.toObject());
            return;
        }
        case DeletedKind::Standard:
            standard(topicNamed(content["topic"].toString()), content);
            return;
        case DeletedKind::Score: {
            // Only the score goes back: the student exists again or is added without a group.
            QJsonObject scored = content;
            scored.insert("name", content["student"]);
            scored.remove("group");
            student(classNamed(content["class"].toString()), scored);
            return;
        }
        }
    }
};

struct KeptItem {
    qint64 id;
    DeletedKind kind;
    QJsonObject content;
};

// A row whose first three columns are id, kind and content.
KeptItem keptAt(const SqlRows& row) {
    return {row.value(0).toLongLong(), kindNamed(row.value(1).toString()),
            QJsonDocument::fromJson(row.value(2).toString().toUtf8()).object()};
}

QList<KeptItem> keptItems(SqlRows& rows) {
    QList<KeptItem> items;
    while (rows.next())
        items.append(keptAt(rows));
    return items;
}

QString restoreItems(const QSqlDatabase& db, qint64 teacherId, QList<KeptItem> items) {
    // Parents before what belongs to them (the kinds' order), whatever order they were
    // deleted in.
    std::stable_sort(items.begin(), items.end(), [](const KeptItem& a, const KeptItem& b) {
        return int(a.kind) < int(b.kind);
    });
    Restorer restorer{db, teacherId};
    for (const KeptItem& item : std::as_const(items)) {
        restorer.restore(item.kind, item.content);
        sqlRun(db, QStringLiteral("DELETE FROM deleted_items WHERE id = ?"), {item.id});
    }
    return QStringLiteral("restored %1 classes, %2 students, %3 topics, %4 standards, %5 scores")
        .arg(restorer.classes)
        .arg(restorer.students)
        .arg(restorer.topics)
        .arg(restorer.standards)
        .arg(restorer.scores);
}

int scoresIn(const QJsonObject& student) {
    return int(student["scores"].toArray().size());
}

DeletedItem describe(const KeptItem& kept, qint64 deletedAt) {
    const QJsonObject& c = kept.content;
    DeletedItem item{kept.id, kept.kind, c["name"].toString(), {}, deletedAt, 0};
    switch (kept.kind) {
    case DeletedKind::Class:
        for (const QJsonValue& student : c["students"].toArray())
            item.scores += scoresIn(student.toObject());
        break;
    case DeletedKind::Student:
        item.belongsTo = c["class"].toString();
        item.scores = scoresIn(c);
        break;
    case DeletedKind::Topic:
        break;
    case DeletedKind::Standard:
        item.name = c["text"].toString();
        item.belongsTo = c["topic"].toString();
        break;
    case DeletedKind::Score:
        item.name = c["student"].toString() + u' ' +
                    c["scores"].toArray().first().toObject()["text"].toString();
        item.belongsTo = c["class"].toString();
        item.scores = scoresIn(c);
        break;
    }
    return item;
}

} // namespace

bool keepDeleted(const QSqlDatabase& db, qint64 teacherId, DeletedKind kind, qint64 rowId,
                 qint64 now) {
    const auto content = snapshot(db, teacherId, kind, rowId);
    if (!content)
        return false;
    sqlRun(db, QStringLiteral("DELETE FROM deleted_items WHERE deleted_at < ?"), {keptSince(now)});
    sqlRun(db,
           QStringLiteral("INSERT INTO deleted_items (teacher_id, kind, content, deleted_at) "
                          "VALUES (?, ?, ?, ?)"),
           {teacherId, QString::fromLatin1(kindName(kind)),
            QString::fromUtf8(QJsonDocument(*content).toJson(QJsonDocument::Compact)), now});
    return true;
}

QString restoreDeleted(const QSqlDatabase& db, qint64 teacherId, qint64 since, qint64 now) {
    SqlRows rows = sqlRun(db,
                          QStringLiteral("SELECT id, kind, content FROM deleted_items WHERE "
                                         "teacher_id = ? AND deleted_at >= ? ORDER BY id"),
                          {teacherId, std::max(since, keptSince(now))});
    return restoreItems(db, teacherId, keptItems(rows));
}

QString restoreDeletedItems(const QSqlDatabase& db, qint64 teacherId, const QList<qint64>& ids,
                            qint64 now) {
    QList<qint64> chosen = ids;
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end()); // each once
    QList<KeptItem> items;
    for (qint64 id : std::as_const(chosen)) {
        SqlRows rows = sqlRun(db,
                              QStringLiteral("SELECT id, kind, content FROM deleted_items WHERE "
                                             "teacher_id = ? AND id = ? AND deleted_at >= ?"),
                              {teacherId, id, keptSince(now)});
        items += keptItems(rows);
    }
    return restoreItems(db, teacherId, std::move(items));
}

QList<DeletedItem> deletedItemsOf(const QSqlDatabase& db, qint64 teacherId, qint64 now) {
    SqlRows rows = sqlRun(db,
                          QStringLiteral("SELECT id, kind, content, deleted_at FROM deleted_items "
                                         "WHERE teacher_id = ? AND deleted_at >= ? "
                                         "ORDER BY deleted_at DESC, id DESC"),
                          {teacherId, keptSince(now)});
    QList<DeletedItem> items;
    while (rows.next())
        items.append(describe(keptAt(rows), rows.value(3).toLongLong()));
    return items;
}

} // namespace ordalis::service
