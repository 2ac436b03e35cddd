// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/MailCommand.h"

#include <QProcess>

namespace ordalis::service {

MailCommand::MailCommand(QString command)
    : m_command(std::move(command)) {}

bool MailCommand::deliver(const QByteArray& message, QString* problem) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), m_command});
    if (!process.waitForStarted(TimeoutMs)) {
        *problem = process.errorString();
        return false;
    }
    QByteArray unixMessage = message;
    unixMessage.replace("\r\n", "\n");
    process.write(unixMessage);
    process.closeWriteChannel();
    if (!process.waitForFinished(TimeoutMs)) {
        process.kill();
        process.waitForFinished();
        *problem = QStringLiteral("no end within %1 seconds").arg(TimeoutMs / 1000);
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *problem = process.exitStatus() == QProcess::NormalExit
                       ? QStringLiteral("exit status %1").arg(process.exitCode())
                       : QStringLiteral("crashed");
        return false;
    }
    return true;
}

} // namespace ordalis::service
