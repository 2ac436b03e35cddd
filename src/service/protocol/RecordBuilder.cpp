// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/RecordBuilder.h"

#include "storage/Sql.h"
#include "text/Gb18030.h"
#include "text/WireText.h"
#include "wire/RecordLines.h"

#include <cmath>

namespace ordalis::service {

QString averageText(double total, qint64 count) {
    if (count <= 0)
        return QStringLiteral("0");
    return shortestDecimal(std::round(total / double(count) * 100.0) / 100.0);
}

QByteArray buildRecord(const QSqlDatabase& db, qint64 teacherId) {
    const QString LineEnd = QStringLiteral("\r\n");
    QString text;
    text.reserve(64 * 1024);
    SqlRows classes = sqlRun(
        db, QStringLiteral("SELECT name FROM classes WHERE teacher_id = ? ORDER BY position"),
        {teacherId});
    ClassListLine classList;
    while (classes.next())
        classList.classes.append(classes.value(u"name").toString());
    text += classList.toText() + LineEnd;

    SqlRows topics = sqlRun(
        db,
        QStringLiteral("SELECT t.id AS topic_id, t.name AS topic, s.text, s.score FROM topics t "
                       "LEFT JOIN standards s ON s.topic_id = t.id WHERE t.teacher_id = ? "
                       "ORDER BY t.position, s.id"),
        {teacherId});
    const int topicId = topics.column(u"topic_id"), topicName = topics.column(u"topic"),
              standardText = topics.column(u"text"), standardScore = topics.column(u"score");
    qint64 currentTopic = -1;
    TopicLine topic;
    while (topics.next()) {
        const qint64 id = topics.value(topicId).toLongLong();
        if (id != currentTopic) {
            if (currentTopic >= 0)
                text += topic.toText() + LineEnd;
            topic = TopicLine{topics.value(topicName).toString(), {}};
            currentTopic = id;
        }
        if (!topics.value(standardText).isNull())
            topic.standards.append({topics.value(standardText).toString(),
                                    shortestDecimal(topics.value(standardScore).toDouble())});
    }
    if (currentTopic >= 0)
        text += topic.toText() + LineEnd;

    SqlRows students = sqlRun(
        db,
        QStringLiteral(
            "SELECT c.name AS class, s.name AS student, s.group_no, COALESCE(t.total, 0) AS total, "
            "COALESCE(t.n, 0) AS scored FROM classes c JOIN students s ON s.class_id = c.id "
            "LEFT JOIN (SELECT sc.student_id, SUM(sc.value) AS total, COUNT(*) AS n FROM "
            "classes k JOIN scores sc ON sc.class_id = k.id WHERE k.teacher_id = ? "
            "GROUP BY sc.student_id) t ON t.student_id = s.id "
            "WHERE c.teacher_id = ? ORDER BY c.position, s.position"),
        {teacherId, teacherId});
    const int className = students.column(u"class"), student = students.column(u"student"),
              group = students.column(u"group_no"), totalScore = students.column(u"total"),
              scored = students.column(u"scored");
    while (students.next()) {
        const double total = std::round(students.value(totalScore).toDouble() * 100.0) / 100.0;
        const qint64 count = students.value(scored).toLongLong();
        text += StudentLine{students.value(className).toString(),
                            students.value(student).toString(),
                            QString::number(students.value(group).toInt()),
                            shortestDecimal(total),
                            averageText(total, count),
                            QString::number(count)}
                    .toText() +
                LineEnd;
    }
    return gb18030::encode(text);
}

} // namespace ordalis::service
