// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassWorkbook.h"

#include <QHash>

namespace ordalis::workbook {

QList<StudentSummary> summarize(const QStringList& roster, const QList<CallEntry>& calls,
                                const QList<ScoreEntry>& scores) {
    QList<StudentSummary> rows;
    QHash<QString, qsizetype> row;
    for (const QString& name : roster) {
        row.insert(name, rows.size());
        StudentSummary student;
        student.name = name;
        rows.append(student);
    }
    for (const CallEntry& call : calls) {
        if (const auto found = row.constFind(call.student); found != row.cend()) {
            StudentSummary& student = rows[*found];
            ++student.calls;
            student.lastCalled = std::max(student.lastCalled, call.time);
        }
    }
    for (const ScoreEntry& score : scores) {
        if (const auto found = row.constFind(score.student); found != row.cend()) {
            ++rows[*found].scores;
            rows[*found].total += score.value;
        }
    }
    return rows;
}

QString fileName(const ClassWorkbook& book, const QString& suffix) {
    QString name = book.className;
    for (QChar& c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = u'_';
    const auto day = [](const QDate& date, const QString& open) {
        return date.isValid() ? date.toString(Qt::ISODate) : open;
    };
    if (book.from.isValid() || book.to.isValid())
        name += u'_' + day(book.from, QStringLiteral("开始")) + u'至' +
                day(book.to, QStringLiteral("今天"));
    return name + u'.' + suffix;
}

} // namespace ordalis::workbook
