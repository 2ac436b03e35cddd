// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalledNameSpeech.h"

#include "draw/DrawPanel.h"

namespace ordalis {

CalledNameSpeech::CalledNameSpeech(DrawPanel* panel, std::unique_ptr<Speaker> speaker,
                                   const QString& settingsIni, QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_speaker(std::move(speaker))
    , m_setting(settingsIni) {
    const Expected<> speaking = m_speaker->canSpeak();
    m_available = speaking.ok();
    m_panel->setSpeechAvailable(m_available, speaking.why());
    connect(m_panel, &DrawPanel::speechToggled, this, &CalledNameSpeech::setOn);
}

void CalledNameSpeech::setUser(const QString& userName) {
    m_user = userName;
    m_on = m_available && m_setting.isOn(userName);
    m_panel->setSpeechOn(m_on);
}

void CalledNameSpeech::setOn(bool on) {
    m_on = on;
    if (!m_user.isEmpty())
        m_setting.setOn(m_user, on);
}

void CalledNameSpeech::drawStopped(const QString& name) {
    if (m_on && m_available && !name.isEmpty())
        m_speaker->say(name);
}

} // namespace ordalis
