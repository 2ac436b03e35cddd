// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name a draw stops on, spoken once when the user chose so with the draw panel's
// loudspeaker button. Nothing is spoken while a draw rolls, nor for a student picked by hand.

#include "common/Speaker.h"
#include "session/SpeechSetting.h"

#include <QObject>

namespace ordalis {

class DrawPanel;

class CalledNameSpeech : public QObject {
    Q_OBJECT

public:
    CalledNameSpeech(DrawPanel* panel, std::unique_ptr<Speaker> speaker, const QString& settingsIni,
                     QObject* parent = nullptr);

    // A login: the user's own choice applies from now on.
    void setUser(const QString& userName);
    // A draw stopped on this student.
    void drawStopped(const QString& name);

private:
    void setOn(bool on);

    DrawPanel* m_panel;
    std::unique_ptr<Speaker> m_speaker;
    SpeechSetting m_setting;
    QString m_user;
    bool m_available;
    bool m_on = false;
};

} // namespace ordalis
