// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/BuiltRecordCache.h"

namespace ordalis::service {

BuiltRecordCache::Bytes BuiltRecordCache::atStamp(qint64 teacherId, quint64 stamp) {
    QMutexLocker lock(&m_mutex);
    const auto entry = m_entries.constFind(teacherId);
    return entry != m_entries.cend() && entry->stamp == stamp ? entry->record : nullptr;
}

BuiltRecordCache::Bytes BuiltRecordCache::atRevision(qint64 teacherId, qint64 revision,
                                                     quint64 stamp) {
    QMutexLocker lock(&m_mutex);
    const auto entry = m_entries.find(teacherId);
    if (entry == m_entries.end() || entry->revision != revision)
        return nullptr;
    entry->stamp = std::max(entry->stamp, stamp);
    return entry->record;
}

void BuiltRecordCache::store(qint64 teacherId, qint64 revision, quint64 stamp, Bytes record) {
    QMutexLocker lock(&m_mutex);
    Entry& entry = m_entries[teacherId];
    if (revision >= entry.revision)
        entry = {revision, stamp, std::move(record)};
}

} // namespace ordalis::service
