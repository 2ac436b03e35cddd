// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/MailCommand.h"

#include <QProcess>

namespace ordalis::service {

MailCommand::MailCommand(QString command)
    : m_command(std::move(command)) {}

Expected<> MailCommand::deliver(const QByteArray& message) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), m_command});
    if (!process.waitForStarted(TimeoutMs))
        return refusal(process.errorString());
    QByteArray unixMessage = message;
    unixMessage.replace("\r\n", "\n");
    process.write(unixMessage);
    process.closeWriteChannel();
    if (!process.waitForFinished(TimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return refusal(QStringLiteral("no end within %1 seconds").arg(TimeoutMs / 1000));
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return refusal(QStringLiteral("crashed"));
    if (process.exitCode() != 0)
        return refusal(QStringLiteral("exit status %1").arg(process.exitCode()));
    return {};
}

} // namespace ordalis::service
