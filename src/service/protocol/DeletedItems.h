// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a deletion removes from a teacher's data is kept for 30 days, so that a mis-click (a
// class removed with all its students and their scores) can be undone by an administrator.
// Each deleted item is kept whole, with everything that went with it, as one JSON document.

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace ordalis::service {

// In the order a restore brings them back: what a later kind belongs to comes before it.
enum class DeletedKind { Class, Student, Topic, Standard, Score };

inline constexpr int DeletedKeptDays = 30;

// Every function takes the service's time now (Unix seconds): what was deleted more than
// DeletedKeptDays before it is gone.

// Keeps the row and what deleting it takes along, in the same transaction as the deletion.
// False, keeping nothing, when the row is not the teacher's.
bool keepDeleted(const QSqlDatabase& db, qint64 teacherId, DeletedKind kind, qint64 rowId,
                 qint64 now);

// Brings back everything of the teacher deleted at or after `since` (Unix seconds): classes,
// students, topics and standards whose names are free again are added at the end of their
// lists, into those that exist again under the same name otherwise; scores are added back.
// Returns what was restored, in words.
QString restoreDeleted(const QSqlDatabase& db, qint64 teacherId, qint64 since, qint64 now);
// The same for the teacher's deletions of these ids that are still kept; the ids of other
// teachers' deletions restore nothing.
QString restoreDeletedItems(const QSqlDatabase& db, qint64 teacherId, const QList<qint64>& ids,
                            qint64 now);

// One kept deletion as a list shows it.
struct DeletedItem {
    qint64 id = 0;
    DeletedKind kind = DeletedKind::Class;
    QString name;         // a score: the student and the score's text
    QString belongsTo;    // the class of a student or score, the topic of a standard
    qint64 deletedAt = 0; // Unix seconds
    int scores = 0;       // the scores it took along
};
// The teacher's deletions still kept, newest first.
QList<DeletedItem> deletedItemsOf(const QSqlDatabase& db, qint64 teacherId, qint64 now);

} // namespace ordalis::service
