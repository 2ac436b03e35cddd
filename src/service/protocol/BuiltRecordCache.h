// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The generated teacher record kept per teacher with the revision of the teacher's data it was
// built from. A reader compares that with the revision stored now, so a change made through
// any instance sharing the database is seen at the next read.

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <memory>

namespace ordalis::service {

class BuiltRecordCache {
public:
    using Bytes = std::shared_ptr<const QByteArray>;

    // The record built at `revision`, or null.
    Bytes find(qint64 teacherId, qint64 revision);
    // Keeps the record unless one of a later revision is already kept.
    void store(qint64 teacherId, qint64 revision, Bytes record);

private:
    struct Entry {
        qint64 revision = -1;
        Bytes record;
    };
    QMutex m_mutex;
    QHash<qint64, Entry> m_entries;
};

} // namespace ordalis::service
