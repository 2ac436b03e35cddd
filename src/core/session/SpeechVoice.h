// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of the voices the speech engines offer speaks the students' names: Chinese
// (Mandarin) only, since another language's voice says nothing intelligible of a Chinese name.

#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

namespace ordalis {

struct OfferedVoice {
    QString engine;
    QLocale locale;
    QString voice;
};

// The first Chinese voice offered, engines and voices in the order given; none without one.
std::optional<OfferedVoice> chineseVoice(const QList<OfferedVoice>& offered);

// Why the names cannot be spoken, and which packages give a Chinese voice: no engine at all,
// or engines without a Chinese voice (flite has none).
QString noChineseVoiceReason(bool anyEngine);

} // namespace ordalis
