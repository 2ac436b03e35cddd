// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/BuiltRecordCache.h"

namespace ordalis::service {

BuiltRecordCache::Bytes BuiltRecordCache::find(qint64 teacherId, quint64* generation) {
    QMutexLocker lock(&m_mutex);
    const Entry& entry = m_entries[teacherId];
    *generation = entry.generation;
    return entry.record;
}

void BuiltRecordCache::store(qint64 teacherId, quint64 generation, Bytes record) {
    QMutexLocker lock(&m_mutex);
    Entry& entry = m_entries[teacherId];
    if (entry.generation == generation)
        entry.record = std::move(record);
}

void BuiltRecordCache::invalidate(qint64 teacherId) {
    QMutexLocker lock(&m_mutex);
    Entry& entry = m_entries[teacherId];
    ++entry.generation;
    entry.record.reset();
}

} // namespace ordalis::service
