// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One program per data folder. The first start holds the folder's lock file as long as it
// runs and answers requests on a channel named after the folder and the user; a later start
// on the same folder runs nothing of its own and hands its request to the first. A lock whose
// holder died (a crash, SIGKILL) is taken over.

#include "session/CommandChannel.h"

#include <QLockFile>
#include <QString>

namespace ordalis {

class SingleProgram {
public:
    enum class Start {
        First,        // this start holds the folder and runs the program
        HandedOver,   // the running program took the request (answer()): this start ends
        NotAnswering, // the program holding the folder does not answer: it hangs
    };

    // The request a plain start makes: the running program brings its window to the front.
    static inline const QString ShowRequest = QStringLiteral("show");
    // How long a start waits for the running program's answer.
    static constexpr int AnswerTimeoutMs = 1000;

    // dataFolder: an existing folder.
    explicit SingleProgram(const QString& dataFolder);

    // Takes the folder and listens for later starts, or hands `request` to the program that
    // holds it. A folder whose lock cannot be written is run unguarded (nothing can be written
    // there anyway), with a warning.
    Start start(const QString& request);
    // The running program's answer, after Start::HandedOver.
    const ChannelAnswer& answer() const { return m_answer; }
    // The commands the first start answers; added before the event loop runs.
    CommandChannel& channel() { return m_channel; }

    // The channel's name: the folder's canonical path hashed, and the user's id, so that two
    // ways of writing one folder meet and two users never do.
    static QString channelName(const QString& dataFolder);

private:
    QString m_channelName;
    QLockFile m_lock;
    CommandChannel m_channel;
    ChannelAnswer m_answer = QString();
};

} // namespace ordalis
