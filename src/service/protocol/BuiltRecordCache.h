// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The generated teacher record kept per teacher with the revision of the teacher's data it was
// built from, and the database's change stamp at which that revision was last seen stored. A
// reader at the same stamp takes the record as it is (nothing can have changed); at another
// stamp it compares the revision with the one stored now, so a change made through any
// instance sharing the database is seen at the next read.

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <memory>

namespace ordalis::service {

class BuiltRecordCache {
public:
    using Bytes = std::shared_ptr<const QByteArray>;

    // The record last seen current at `stamp`, or null.
    Bytes atStamp(qint64 teacherId, quint64 stamp);
    // The record built at `revision`, or null; found current at `stamp`.
    Bytes atRevision(qint64 teacherId, qint64 revision, quint64 stamp);
    // Keeps the record unless one of a later revision is already kept.
    void store(qint64 teacherId, qint64 revision, quint64 stamp, Bytes record);

private:
    struct Entry {
        qint64 revision = -1;
        quint64 stamp = 0;
        Bytes record;
    };
    QMutex m_mutex;
    QHash<qint64, Entry> m_entries;
};

} // namespace ordalis::service
