// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real `ordalis` program run as its own process on a data folder, played by the driver
// plugin (tests/driver) step by step, and ended the way the steps end it.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace ordalis::test {

struct DrivenRun {
    bool finished = false; // ended on its own within the time allowed
    int exitCode = -1;
    QString output; // what the steps printed, one "WINDOW/NAME: text" block per print
    QString errors;

    // The text printed for WINDOW/NAME by the last print step of it.
    QString printed(const QString& target) const;
};

// Runs `ordalis --data-dir FOLDER ARGS` with the steps, in a home of its own (no settings of
// the machine's user), and waits up to 60 s for it to end. The home is a new empty folder
// unless `home` names one, whose per-user settings then carry over from run to run.
DrivenRun runDriven(const QString& dataFolder, const QStringList& steps,
                    const QStringList& arguments = {}, const QString& home = {});

} // namespace ordalis::test
