// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the console needs of the main window. An unset hook does nothing (or gives "").

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
};

} // namespace ordalis
