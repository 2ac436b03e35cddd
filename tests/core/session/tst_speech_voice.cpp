// SPDX-License-Identifier: GPL-3.0-or-later
// The voice for the names: Chinese only, wherever an engine offers it; without one the reason
// names the packages that give a Mandarin voice.

#include "session/SpeechVoice.h"

#include <QtTest>

using namespace ordalis;

class SpeechVoiceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyAChineseVoiceSpeaksTheNames() {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QList<OfferedVoice> flite{{"flite", english, "slt"}, {"flite", english, "kal16"}};
        QVERIFY(!chineseVoice(flite));
        QVERIFY(noChineseVoiceReason(true).contains(QStringLiteral("espeak-ng")));
        QVERIFY(noChineseVoiceReason(false).contains(QStringLiteral("qt6-speech-speechd-plugin")));

        // speech-dispatcher with espeak-ng: a language code Qt does not know, a telling name.
        const QList<OfferedVoice> speechd{{"speechd", QLocale(QStringLiteral("cmn")), "english"},
                                          {"speechd", QLocale::c(), "Chinese_(Mandarin)"}};
        QCOMPARE(chineseVoice(flite + speechd)->voice, QStringLiteral("Chinese_(Mandarin)"));
        const QList<OfferedVoice> zh{{"other", QLocale(QLocale::Chinese, QLocale::China), "f1"}};
        QCOMPARE(chineseVoice(flite + zh + speechd)->engine, QStringLiteral("other"));
    }
};

QTEST_GUILESS_MAIN(SpeechVoiceTest)
#include "tst_speech_voice.moc"
