// SPDX-License-Identifier: GPL-3.0-or-later
#include "Speaker.h"

#include <QTextToSpeech>

namespace ordalis {
namespace {

bool isChinese(const QLocale& locale) {
    return locale.language() == QLocale::Chinese;
}

class SystemSpeaker : public Speaker {
public:
    QString unavailableReason() const override {
        if (QTextToSpeech::availableEngines().isEmpty())
            return QStringLiteral("本机没有可用的语音引擎，无法朗读姓名");
        return QString();
    }

    void say(const QString& text) override {
        if (!m_engine)
            m_engine = openEngine();
        if (m_engine && m_engine->state() != QTextToSpeech::Error)
            m_engine->say(text);
    }

private:
    // Opened at the first name, so a program that never speaks never starts an engine: the
    // first engine with a Chinese voice, or else the first that works.
    static std::unique_ptr<QTextToSpeech> openEngine() {
        std::unique_ptr<QTextToSpeech> fallback;
        for (const QString& name : QTextToSpeech::availableEngines()) {
            auto engine = std::make_unique<QTextToSpeech>(name);
            if (engine->state() == QTextToSpeech::Error)
                continue;
            for (const QLocale& locale : engine->availableLocales()) {
                if (isChinese(locale)) {
                    engine->setLocale(locale);
                    return engine;
                }
            }
            if (!fallback)
                fallback = std::move(engine);
        }
        return fallback;
    }

    std::unique_ptr<QTextToSpeech> m_engine;
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker() {
    return std::make_unique<SystemSpeaker>();
}

} // namespace ordalis
