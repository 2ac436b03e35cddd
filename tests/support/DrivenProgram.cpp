// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrivenProgram.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>

namespace ordalis::test {

QString DrivenRun::printed(const QString& target) const {
    const QString mark = target + QStringLiteral(": ");
    const qsizetype start = output.lastIndexOf(mark);
    if (start < 0)
        return {};
    const qsizetype from = start + mark.size();
    // A block runs to the next printed mark or the end.
    static const QRegularExpression nextMark(QStringLiteral(
        "\n(?:[A-Za-z0-9_]+/[A-Za-z0-9_]+|answer|(?:state|where) [A-Za-z0-9_/]+): "));
    const QRegularExpressionMatch next = nextMark.match(output, from);
    const qsizetype end = next.hasMatch() ? next.capturedStart() : output.size();
    QString text = output.mid(from, end - from);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

DrivenProgram::DrivenProgram(const QString& dataFolder, const QStringList& steps,
                             const QStringList& arguments, const QString& home,
                             const QProcessEnvironment& display) {
    const QDir homeDir(home.isEmpty() ? m_ownHome.path() : home);
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
    environment.insert(display);
    m_process.setProcessEnvironment(environment);
    m_process.start(QStringLiteral(ORDALIS_APP_BIN),
                    QStringList{QStringLiteral("--data-dir"), dataFolder} + arguments);
    m_started = m_process.waitForStarted();
}

DrivenProgram::~DrivenProgram() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished();
}

bool DrivenProgram::waitForOutput(const QString& text, int ms) {
    const QByteArray wanted = text.toUtf8();
    QDeadlineTimer deadline(ms);
    for (;;) {
        m_output += m_process.readAllStandardOutput();
        if (m_output.contains(wanted))
            return true;
        if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
}

QString DrivenProgram::nextPrinted(const QString& mark, int ms) {
    const QByteArray wanted = '\n' + mark.toUtf8();
    QDeadlineTimer deadline(ms);
    for (;;) {
        m_output += m_process.readAllStandardOutput();
        const QByteArray seen = '\n' + m_output;
        const qsizetype at = seen.indexOf(wanted, m_readUpTo);
        const qsizetype end = at < 0 ? -1 : seen.indexOf('\n', at + 1);
        if (end > 0) {
            m_readUpTo = end;
            return QString::fromUtf8(seen.mid(at + wanted.size(), end - at - wanted.size()));
        }
        if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    }
}

void DrivenProgram::proceed() {
    m_process.write("\n");
    m_process.waitForBytesWritten();
}

DrivenRun DrivenProgram::finish(int ms) {
    DrivenRun run;
    if (!m_started)
        return run;
    // Waiting for its output may have seen it end already.
    run.finished = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(ms);
    if (!run.finished) {
        m_process.kill();
        m_process.waitForFinished();
    }
    run.exitCode = m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    run.output = QString::fromUtf8(m_output + m_process.readAllStandardOutput());
    run.errors = QString::fromUtf8(m_process.readAllStandardError());
    return run;
}

DrivenRun runDriven(const QString& dataFolder, const QStringList& steps,
                    const QStringList& arguments, const QString& home) {
    return DrivenProgram(dataFolder, steps, arguments, home).finish();
}

} // namespace ordalis::test
