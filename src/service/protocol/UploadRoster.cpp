// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/UploadRoster.h"

#include "storage/Sql.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace ordalis::service {

SharedRoster readRoster(const QSqlDatabase& db, bool sqlite, qint64 teacherId,
                        const QSet<QString>& names, SharedRoster kept) {
    QJsonArray missing;
    for (const QString& name : names)
        if (!kept || !kept->read.contains(name))
            missing.append(name);
    if (missing.isEmpty() && kept)
        return kept;
    auto roster = kept ? std::make_shared<UploadRoster>(*kept) : std::make_shared<UploadRoster>();
    if (missing.isEmpty())
        return roster;
    // All the missing classes in one statement.
    SqlRows rows = sqlRun(
        db,
        sqlite ? QStringLiteral("SELECT c.name, c.id, s.name, s.id FROM classes c JOIN students s "
                                "ON s.class_id = c.id WHERE c.teacher_id = ? AND "
                                "c.name IN (SELECT value FROM json_each(?))")
               : QStringLiteral("SELECT c.name, c.id, s.name, s.id FROM classes c JOIN students s "
                                "ON s.class_id = c.id WHERE c.teacher_id = ? AND "
                                "c.name IN (SELECT json_array_elements_text(?::json))"),
        {teacherId, QString::fromUtf8(QJsonDocument(missing).toJson(QJsonDocument::Compact))});
    while (rows.next()) {
        RosterClass& found = roster->classes[rows.value(0).toString()];
        found.id = rows.value(1).toLongLong();
        found.students.insert(rows.value(2).toString(), rows.value(3).toLongLong());
    }
    for (const QJsonValue& name : std::as_const(missing))
        roster->read.insert(name.toString());
    return roster;
}

SharedRoster UploadRosterCache::at(qint64 teacherId, qint64 revision) {
    QMutexLocker lock(&m_mutex);
    const auto entry = m_entries.constFind(teacherId);
    return entry != m_entries.cend() && entry->revision == revision ? entry->roster : nullptr;
}

void UploadRosterCache::store(qint64 teacherId, qint64 revision, SharedRoster roster) {
    QMutexLocker lock(&m_mutex);
    Entry& entry = m_entries[teacherId];
    if (revision >= entry.revision)
        entry = {revision, std::move(roster)};
}

} // namespace ordalis::service
