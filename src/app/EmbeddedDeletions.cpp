// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmbeddedDeletions.h"

namespace ordalis {

namespace {

console::DeletedKind kindOf(service::DeletedKind kind) {
    switch (kind) {
    case service::DeletedKind::Class:
        return console::DeletedKind::Class;
    case service::DeletedKind::Student:
        return console::DeletedKind::Student;
    case service::DeletedKind::Topic:
        return console::DeletedKind::Topic;
    case service::DeletedKind::Standard:
        return console::DeletedKind::Standard;
    case service::DeletedKind::Score:
        break;
    }
    return console::DeletedKind::Score;
}

console::DeletedEntries listOf(ScoreService& service, const QString& account, const QString& mp) {
    const Expected<QList<service::DeletedItem>> items = service.deletedItems(account, mp);
    if (!items)
        return items.refusal();
    QList<console::DeletedEntry> entries;
    for (const service::DeletedItem& item : *items)
        entries.append({item.id, kindOf(item.kind), item.name, item.belongsTo,
                        QDateTime::fromSecsSinceEpoch(item.deletedAt), item.scores});
    return entries;
}

// Answered as the service answers a change, so the console shows it as one.
Expected<> restore(ScoreService& service, const QString& account, const QString& operationPassword,
                   const QList<qint64>& ids) {
    const Expected<> restored = service.restoreDeletedItems(account, operationPassword, ids);
    if (!restored)
        return refusal(restored.why(), 200);
    return {};
}

} // namespace

ConsoleHooks::Deletions deletionsOf(ScoreService& service) {
    return {[&service](const QString& account, const QString& mp) {
                return listOf(service, account, mp);
            },
            [&service](const QString& account, const QString& operationPassword,
                       const QList<qint64>& ids) {
                return restore(service, account, operationPassword, ids);
            }};
}

} // namespace ordalis
