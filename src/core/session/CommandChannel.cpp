// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandChannel.h"

#include "text/Gb18030.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace ordalis {
namespace {

// A request is a command and a short argument: a longer line is no request, and its sender
// is cut off rather than buffered without end.
constexpr qint64 LongestLine = 4096;
// Between two tries to reach a program that took the folder's lock and does not listen yet.
constexpr unsigned long ConnectRetryMs = 20;
const QString Ok = QStringLiteral("ok");
const QString Error = QStringLiteral("error");

void writeLine(QLocalSocket& socket, QString text) {
    text.replace(u'\n', u' '); // one line, whatever a command answers
    socket.write(gb18030::encode(text) + '\n');
    socket.flush();
}

QString takeLine(QLocalSocket& socket) {
    QByteArray bytes = socket.readLine();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    return gb18030::decode(bytes);
}

QString answerLine(const ChannelAnswer& answer) {
    const QString status = answer ? Ok : Error;
    const QString text = answer ? *answer : answer.why();
    return text.isEmpty() ? status : status + u' ' + text;
}

} // namespace

CommandChannel::CommandChannel(QObject* parent)
    : QObject(parent)
    , m_server(this) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

void CommandChannel::addCommand(const QString& name, Command command) {
    m_commands.insert(name, std::move(command));
}

Expected<> CommandChannel::listen(const QString& name) {
    QLocalServer::removeServer(name);
    if (m_server.listen(name))
        return {};
    return refusal(m_server.errorString());
}

void CommandChannel::serve(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        while (socket->canReadLine())
            writeLine(*socket, answerLine(answer(takeLine(*socket))));
        if (socket->bytesAvailable() > LongestLine)
            socket->abort();
    });
}

ChannelAnswer CommandChannel::answer(const QString& request) const {
    const QString command = request.section(u' ', 0, 0);
    const auto found = m_commands.constFind(command);
    if (found == m_commands.constEnd())
        return refusal(QStringLiteral("unknown command \"%1\"").arg(command));
    return (*found)(request.section(u' ', 1));
}

std::optional<ChannelAnswer> CommandChannel::ask(const QString& name, const QString& request,
                                                 int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    // The program may have taken the folder a moment ago and not listen yet.
    while (!socket.waitForConnected(int(deadline.remainingTime()))) {
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(ConnectRetryMs);
        socket.connectToServer(name);
    }
    writeLine(socket, request);
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return std::nullopt;
    }
    const QString reply = takeLine(socket);
    const QString text = reply.section(u' ', 1);
    if (reply.section(u' ', 0, 0) == Ok)
        return ChannelAnswer(text);
    return ChannelAnswer(refusal(text));
}

} // namespace ordalis
