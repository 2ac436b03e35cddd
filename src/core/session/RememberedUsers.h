// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user names remembered across runs for the login window: every name that logged in online
// (newest first, each followed by "|") and the name of the last online login.

#include "session/FileWrite.h"

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace ordalis {

class RememberedUsers {
public:
    // An empty path means the per-user settings store of the platform (application "Pelorand");
    // otherwise an INI file at that path, which tests use.
    explicit RememberedUsers(const QString& iniPath = QString());
    ~RememberedUsers();

    // The raw value: "c|b|a|" after first logins of a, b, c.
    QString storedNames() const;
    QString lastLoginName() const;
    // The non-empty pieces of the stored value, newest first.
    QStringList names() const;

    // After a successful online login: prepend the name unless it is already remembered
    // exactly, and make it the last login.
    FileWrite remember(const QString& userName);
    // Forgets every name.
    void clear();

private:
    std::unique_ptr<QSettings> m_store;
};

} // namespace ordalis
