// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Speaking a text aloud. The program's speaker uses the system's text-to-speech engine; tests
// put in one of their own, so they depend on no sound card.

#include <QString>
#include <memory>

namespace ordalis {

class Speaker {
public:
    virtual ~Speaker() = default;
    // Empty when the speaker can speak; otherwise why it cannot, for the teacher.
    virtual QString unavailableReason() const = 0;
    virtual void say(const QString& text) = 0;
};

// Qt's text-to-speech with a Chinese voice; where no engine offers one it cannot speak, and its
// reason names the packages that give one.
std::unique_ptr<Speaker> makeSystemSpeaker();

} // namespace ordalis
