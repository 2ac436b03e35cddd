// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the names a draw stops on are spoken, chosen by each user (off unless chosen), in
// the per-user settings store beside the remembered user names.

#include <QString>
#include <memory>

class QSettings;

namespace ordalis {

class SpeechSetting {
public:
    // An empty path means the platform's store; otherwise an INI file at that path.
    explicit SpeechSetting(const QString& iniPath = QString());
    ~SpeechSetting();

    bool isOn(const QString& userName) const;
    void setOn(const QString& userName, bool on);

private:
    std::unique_ptr<QSettings> m_store;
};

} // namespace ordalis
