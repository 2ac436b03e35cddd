// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Speaking a text aloud. The program's speaker uses the system's text-to-speech engine; tests
// put in one of their own, so they depend on no sound card.

#include "text/Refusal.h"

#include <QString>
#include <memory>

namespace ordalis {

class Speaker {
public:
    virtual ~Speaker() = default;
    // Whether the speaker can speak; refused with why not, for the teacher.
    virtual Expected<> canSpeak() const = 0;
    virtual void say(const QString& text) = 0;
};

// Qt's text-to-speech with a Chinese voice; where no engine offers one it cannot speak, and its
// reason names the packages that give one.
std::unique_ptr<Speaker> makeSystemSpeaker();

} // namespace ordalis
