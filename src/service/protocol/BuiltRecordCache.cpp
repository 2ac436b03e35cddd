// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/BuiltRecordCache.h"

namespace ordalis::service {

BuiltRecordCache::Bytes BuiltRecordCache::find(qint64 teacherId, qint64 revision) {
    QMutexLocker lock(&m_mutex);
    const auto entry = m_entries.constFind(teacherId);
    return entry != m_entries.cend() && entry->revision == revision ? entry->record : nullptr;
}

void BuiltRecordCache::store(qint64 teacherId, qint64 revision, Bytes record) {
    QMutexLocker lock(&m_mutex);
    Entry& entry = m_entries[teacherId];
    if (revision >= entry.revision)
        entry = {revision, std::move(record)};
}

} // namespace ordalis::service
