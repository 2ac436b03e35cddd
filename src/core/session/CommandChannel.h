// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line protocol between the program running on a data folder and a later start on the
// same folder. The later start sends one request line, "COMMAND" or "COMMAND ARGUMENT", and the
// running program answers it with one line, "ok" or "ok TEXT" when it did what was asked,
// "error TEXT" when it did not. Lines are GB18030 and end with "\n". A new request is one
// addCommand in the running program and one ask in the later start.

#include "text/Refusal.h"

#include <QHash>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLocalSocket;

namespace ordalis {

// What the running program answers: the text of "ok TEXT", or the refusal of "error TEXT".
using ChannelAnswer = Expected<QString>;

// A QObject only to own its server and be its connections' context: with no signals of its own
// it needs no moc, like the rest of core.
class CommandChannel : public QObject {
public:
    using Command = std::function<ChannelAnswer(const QString& argument)>;

    explicit CommandChannel(QObject* parent = nullptr);

    // What the running program does for a request of that command.
    void addCommand(const QString& name, Command command);
    // Listens under `name`. Only the holder of the folder's lock listens, so a server of that
    // name is one a killed program left behind, and is removed first.
    Expected<> listen(const QString& name);

    // Sends the request to the program listening under `name` and returns its answer;
    // nothing when no program takes the request and answers within `timeoutMs`.
    static std::optional<ChannelAnswer> ask(const QString& name, const QString& request,
                                            int timeoutMs);

private:
    void serve(QLocalSocket* socket);
    ChannelAnswer answer(const QString& request) const;

    QLocalServer m_server;
    QHash<QString, Command> m_commands;
};

} // namespace ordalis
