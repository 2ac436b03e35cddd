// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsStore.h"

namespace ordalis {

std::unique_ptr<QSettings> openSettingsStore(const QString& iniPath) {
    if (iniPath.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QStringLiteral("Pelorand"), QStringLiteral("Pelorand"));
    return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

} // namespace ordalis
