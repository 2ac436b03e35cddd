// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The students an upload's lines are checked against: the classes the lines name, each with
// its students by name, read at a revision of the teacher's data. What one upload read is kept
// for the teacher's next, as an upload changes no class and no student: the next upload takes
// it while the teacher's revision is still the one it was kept at, and reads only the classes
// it names that were not read before.

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace ordalis::service {

struct RosterClass {
    qint64 id = 0;
    QHash<QString, qint64> students;
};

struct UploadRoster {
    // The classes read, by name; a class the teacher does not have, or one without students,
    // is absent (no line of it can be accepted).
    QHash<QString, RosterClass> classes;
    QSet<QString> read; // every name looked up, found or not
};
using SharedRoster = std::shared_ptr<const UploadRoster>;

// `kept` (the roster of an earlier read at the same revision, or null) with the classes of
// `names` it lacks read from the database.
SharedRoster readRoster(const QSqlDatabase& db, bool sqlite, qint64 teacherId,
                        const QSet<QString>& names, SharedRoster kept);

class UploadRosterCache {
public:
    // The roster kept at `revision`, or null.
    SharedRoster at(qint64 teacherId, qint64 revision);
    // Keeps `roster` as read at `revision` unless a later one is kept; to be called once the
    // revision is committed, never from within the change.
    void store(qint64 teacherId, qint64 revision, SharedRoster roster);

private:
    struct Entry {
        qint64 revision = -1;
        SharedRoster roster;
    };
    QMutex m_mutex;
    QHash<qint64, Entry> m_entries;
};

} // namespace ordalis::service
