// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the console needs of the main window. An unset hook does nothing (or gives "").

#include "console/DeletedEntries.h"
#include "text/Refusal.h"

#include <QString>
#include <functional>

namespace ordalis {

struct ConsoleHooks {
    // The main window's operation password box (the score upload's).
    std::function<QString()> operationPassword;
    std::function<void(const QString&)> setOperationPassword;
    // The teacher record on disk was just downloaded: the main window shows it anew.
    std::function<void()> applyRecord;
    // The main window refills its standards list for its topic and lays itself out.
    std::function<void()> showTopicStandards;
    // The main window's open-file dialog; "" when the teacher cancelled.
    std::function<QString(const QString& title, const QString& filter)> openFileName;

    // Set only while the service runs inside the program: the deletions it keeps for a
    // teacher (who proves the login with mp), and restoring the chosen ones, a change that
    // the service refuses, as any other, without the right operation password.
    struct Deletions {
        std::function<console::DeletedEntries(const QString& account, const QString& mp)> list;
        std::function<Expected<>(const QString& account, const QString& operationPassword,
                                 const QList<qint64>& ids)>
            restore;
        bool isSet() const { return list && restore; }
    };
    Deletions deletions;
};

} // namespace ordalis
