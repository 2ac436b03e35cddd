// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrivenProgram.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace ordalis::test {

QString DrivenRun::printed(const QString& target) const {
    const QString mark = target + QStringLiteral(": ");
    const qsizetype start = output.lastIndexOf(mark);
    if (start < 0)
        return {};
    const qsizetype from = start + mark.size();
    // A block runs to the next printed mark or the end.
    static const QRegularExpression nextMark(
        QStringLiteral("\n(?:[A-Za-z0-9_]+/[A-Za-z0-9_]+|answer): "));
    const QRegularExpressionMatch next = nextMark.match(output, from);
    const qsizetype end = next.hasMatch() ? next.capturedStart() : output.size();
    QString text = output.mid(from, end - from);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

DrivenRun runDriven(const QString& dataFolder, const QStringList& steps,
                    const QStringList& arguments, const QString& home) {
    const QTemporaryDir ownHome;
    const QDir homeDir(home.isEmpty() ? ownHome.path() : home);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), homeDir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       homeDir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), homeDir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(ORDALIS_DRIVER_PLUGIN_DIR));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("ordalisdriver"));
    environment.insert(QStringLiteral("ORDALIS_DRIVE"), steps.join(u';'));
    environment.insert(QStringLiteral("ORDALIS_SCREENSHOTS"),
                       QStringLiteral(ORDALIS_SCREENSHOT_DIR));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORDALIS_APP_BIN),
                  QStringList{QStringLiteral("--data-dir"), dataFolder} + arguments);
    DrivenRun run;
    if (!program.waitForStarted())
        return run;
    run.finished = program.waitForFinished(60000);
    if (!run.finished) {
        program.kill();
        program.waitForFinished();
    }
    run.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.output = QString::fromUtf8(program.readAllStandardOutput());
    run.errors = QString::fromUtf8(program.readAllStandardError());
    return run;
}

} // namespace ordalis::test
