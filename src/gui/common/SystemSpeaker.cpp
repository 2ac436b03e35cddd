// SPDX-License-Identifier: GPL-3.0-or-later
#include "Speaker.h"
#include "session/SpeechVoice.h"

#include <QTextToSpeech>

namespace ordalis {
namespace {

class SystemSpeaker : public Speaker {
public:
    // The engines are asked for their voices once, so the toggle knows at once whether a
    // Chinese voice exists; the engine with it stays open for the names.
    SystemSpeaker() {
        QList<OfferedVoice> offered;
        bool anyEngine = false;
        for (const QString& name : QTextToSpeech::availableEngines()) {
            QTextToSpeech engine(name);
            if (engine.state() == QTextToSpeech::Error)
                continue;
            anyEngine = true;
            for (const QLocale& locale : engine.availableLocales()) {
                engine.setLocale(locale);
                offered << OfferedVoice{name, locale, QString()};
                for (const QVoice& voice : engine.availableVoices())
                    offered << OfferedVoice{name, locale, voice.name()};
            }
        }
        const std::optional<OfferedVoice> chosen = chineseVoice(offered);
        if (!chosen) {
            m_reason = noChineseVoiceReason(anyEngine);
            return;
        }
        m_engine = std::make_unique<QTextToSpeech>(chosen->engine);
        m_engine->setLocale(chosen->locale);
        for (const QVoice& voice : m_engine->availableVoices()) {
            if (voice.name() == chosen->voice)
                m_engine->setVoice(voice);
        }
    }

    Expected<> canSpeak() const override {
        if (!m_reason.isEmpty())
            return refusal(m_reason);
        return {};
    }

    void say(const QString& text) override {
        if (m_engine && m_engine->state() != QTextToSpeech::Error)
            m_engine->say(text);
    }

private:
    QString m_reason;
    std::unique_ptr<QTextToSpeech> m_engine;
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker() {
    return std::make_unique<SystemSpeaker>();
}

} // namespace ordalis
