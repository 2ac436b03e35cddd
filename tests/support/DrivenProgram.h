// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real `ordalis` program run as its own process on a data folder, played by the driver
// plugin (tests/driver) step by step, and ended the way the steps end it.

#include <QProcess>
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

// `ordalis --data-dir FOLDER ARGS` started with the steps, in a home of its own (no settings
// of the machine's user), and left running while the test reads it, stops or kills it. The
// home is a new empty folder unless `home` names one, whose per-user settings then carry over
// from run to run. `display` replaces what the program is shown on (offscreen): an X display
// with its platform, as ManagedDisplay gives them.
class DrivenProgram {
public:
    DrivenProgram(const QString& dataFolder, const QStringList& steps,
                  const QStringList& arguments = {}, const QString& home = {},
                  const QProcessEnvironment& display = {});
    // A program still running (a test that failed half-way) is killed.
    ~DrivenProgram();

    QProcess& process() { return m_process; }
    // Waits up to `ms` until the steps printed `text`.
    bool waitForOutput(const QString& text, int ms = 30000);
    // Waits up to `ms` for the next line that starts with `mark` and gives the rest of it; empty
    // when none came. Lines are read once: the next call looks after this one.
    QString nextPrinted(const QString& mark, int ms = 30000);
    // Lets a step `wait` go on.
    void proceed();
    // Waits up to `ms` for the program to end, killing it after that.
    DrivenRun finish(int ms = 60000);

private:
    QTemporaryDir m_ownHome;
    QProcess m_process;
    bool m_started = false;
    QByteArray m_output;
    qsizetype m_readUpTo = 0; // of m_output, by nextPrinted
};

// Runs the program as DrivenProgram starts it and waits up to 60 s for it to end.
DrivenRun runDriven(const QString& dataFolder, const QStringList& steps,
                    const QStringList& arguments = {}, const QString& home = {});

} // namespace ordalis::test
