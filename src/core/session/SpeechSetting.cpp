// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeechSetting.h"

#include "session/SettingsStore.h"

namespace ordalis {
namespace {
// The users who chose speech, as a list: a user name is never a key of its own.
const QString SpokenForKey = QStringLiteral("Speech/SpokenFor");
} // namespace

SpeechSetting::SpeechSetting(const QString& iniPath)
    : m_store(openSettingsStore(iniPath)) {}

SpeechSetting::~SpeechSetting() = default;

bool SpeechSetting::isOn(const QString& userName) const {
    return m_store->value(SpokenForKey).toStringList().contains(userName);
}

void SpeechSetting::setOn(const QString& userName, bool on) {
    QStringList users = m_store->value(SpokenForKey).toStringList();
    users.removeAll(userName);
    if (on)
        users << userName;
    m_store->setValue(SpokenForKey, users);
    m_store->sync();
}

} // namespace ordalis
