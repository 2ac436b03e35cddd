// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/RecordBuilder.h"

#include "storage/Sql.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <cmath>

namespace ordalis::service {

QString averageText(double total, qint64 count) {
    if (count <= 0)
        return QStringLiteral("0");
    return shortestDecimal(std::round(total / double(count) * 100.0) / 100.0);
}

QByteArray buildRecord(const QSqlDatabase& db, qint64 teacherId) {
    QString text;
    text.reserve(64 * 1024);
    text += QStringLiteral("Class_Is_Ready\t");
    SqlRows classes = sqlRun(
        db, QStringLiteral("SELECT name FROM classes WHERE teacher_id = ? ORDER BY position"),
        {teacherId});
    while (classes.next())
        text += classes.value(0).toString() + u'\t';
    text += QStringLiteral("\r\n");

    SqlRows topics = sqlRun(
        db,
        QStringLiteral("SELECT t.id, t.name, s.text, s.score FROM topics t LEFT JOIN standards s "
                       "ON s.topic_id = t.id WHERE t.teacher_id = ? ORDER BY t.position, s.id"),
        {teacherId});
    qint64 currentTopic = -1;
    while (topics.next()) {
        const qint64 topicId = topics.value(0).toLongLong();
        if (topicId != currentTopic) {
            if (currentTopic >= 0)
                text += QStringLiteral("\r\n");
            text += QStringLiteral("[keti]\t") + topics.value(1).toString();
            currentTopic = topicId;
        }
        if (!topics.value(2).isNull())
            text += u'\t' + topics.value(2).toString() + u'\t' +
                    shortestDecimal(topics.value(3).toDouble());
    }
    if (currentTopic >= 0)
        text += QStringLiteral("\r\n");

    SqlRows students =
        sqlRun(db,
               QStringLiteral(
                   "SELECT c.name, s.name, s.group_no, COALESCE(t.total, 0), COALESCE(t.n, 0) "
                   "FROM classes c JOIN students s ON s.class_id = c.id LEFT JOIN "
                   "(SELECT sc.student_id, SUM(sc.value) AS total, COUNT(*) AS n FROM classes k "
                   "JOIN scores sc ON sc.class_id = k.id WHERE k.teacher_id = ? "
                   "GROUP BY sc.student_id) t ON t.student_id = s.id "
                   "WHERE c.teacher_id = ? ORDER BY c.position, s.position"),
               {teacherId, teacherId});
    while (students.next()) {
        const double total = std::round(students.value(3).toDouble() * 100.0) / 100.0;
        const qint64 count = students.value(4).toLongLong();
        text += students.value(0).toString() + u'\t' + students.value(1).toString() + u'\t' +
                QString::number(students.value(2).toInt()) + u'\t' + shortestDecimal(total) +
                u'\t' + averageText(total, count) + u'\t' + QString::number(count) +
                QStringLiteral("\r\n");
    }
    return gb18030::encode(text);
}

} // namespace ordalis::service
