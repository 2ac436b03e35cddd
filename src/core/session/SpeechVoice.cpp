// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeechVoice.h"

#include <QRegularExpression>

namespace ordalis {

namespace {

// speech-dispatcher names espeak-ng's Mandarin by a language code Qt does not know ("cmn"),
// so the voice's own name counts as well.
bool isChinese(const OfferedVoice& offered) {
    static const QRegularExpression chineseName(
        QStringLiteral("mandarin|chinese|\\bcmn\\b|\\bzh\\b|^zh[-_]|^cmn"),
        QRegularExpression::CaseInsensitiveOption);
    return offered.locale.language() == QLocale::Chinese ||
           chineseName.match(offered.voice).hasMatch();
}

} // namespace

std::optional<OfferedVoice> chineseVoice(const QList<OfferedVoice>& offered) {
    for (const OfferedVoice& voice : offered) {
        if (isChinese(voice))
            return voice;
    }
    return std::nullopt;
}

QString noChineseVoiceReason(bool anyEngine) {
    const QString install = QStringLiteral("请安装 speech-dispatcher、espeak-ng 和 "
                                           "qt6-speech-speechd-plugin（espeak-ng 的普通话语音）");
    return (anyEngine ? QStringLiteral("本机的语音引擎没有中文语音，无法朗读姓名。")
                      : QStringLiteral("本机没有可用的语音引擎，无法朗读姓名。")) +
           install;
}

} // namespace ordalis
