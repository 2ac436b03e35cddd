// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one program-wide session: who is logged in and the mp credential for the service.

#include <QString>

namespace ordalis {

// How the teacher logged in: online (the record is downloaded first) or offline (the record on
// disk from the last online login is used).
enum class SessionMode { Online, Offline };

struct Session {
    static inline const QString OfflineUserName = QStringLiteral("离线用户");

    QString userName; // query key t, body key username; "离线用户" when offline
    QString mp;       // MD5 of the login password, 32 lowercase hex digits

    bool isOffline() const { return userName == OfflineUserName; }
    // Online and logged in: the service can be asked for changes.
    bool canChangeService() const { return !userName.isEmpty() && !isOffline(); }
};

} // namespace ordalis
