// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The generated teacher record kept per teacher until any change of that teacher's data.
// A generation number per teacher keeps a record built before a change from being stored after
// the change has invalidated it.

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <memory>

namespace ordalis::service {

class BuiltRecordCache {
public:
    using Bytes = std::shared_ptr<const QByteArray>;

    Bytes find(qint64 teacherId, quint64* generation);
    void store(qint64 teacherId, quint64 generation, Bytes record);
    void invalidate(qint64 teacherId);

private:
    struct Entry {
        quint64 generation = 0;
        Bytes record;
    };
    QMutex m_mutex;
    QHash<qint64, Entry> m_entries;
};

} // namespace ordalis::service
