// SPDX-License-Identifier: GPL-3.0-or-later
#include "RememberedUsers.h"

#include "session/SettingsStore.h"

#include <QSettings>

namespace ordalis {
namespace {

const QString UsernameKey = QStringLiteral("Userinfo/Username");
const QString LastLoginKey = QStringLiteral("Userinfo/LastlogUsername");
const QChar Separator = u'|';

} // namespace

RememberedUsers::RememberedUsers(const QString& iniPath)
    : m_store(openSettingsStore(iniPath)) {}

RememberedUsers::~RememberedUsers() = default;

QString RememberedUsers::storedNames() const {
    return m_store->value(UsernameKey).toString();
}

QString RememberedUsers::lastLoginName() const {
    return m_store->value(LastLoginKey).toString();
}

QStringList RememberedUsers::names() const {
    return storedNames().split(Separator, Qt::SkipEmptyParts);
}

FileWrite RememberedUsers::remember(const QString& userName) {
    const QString stored = storedNames();
    if (!stored.split(Separator).contains(userName))
        m_store->setValue(UsernameKey, userName + Separator + stored);
    m_store->setValue(LastLoginKey, userName);
    return syncSettings(*m_store);
}

void RememberedUsers::clear() {
    m_store->setValue(UsernameKey, QString());
    m_store->setValue(LastLoginKey, QString());
    m_store->sync();
}

} // namespace ordalis
