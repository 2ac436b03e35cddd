// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-user settings store of the platform (application "Pelorand"), or an INI file at the
// given path, which tests use.

#include <QSettings>
#include <memory>

namespace ordalis {

std::unique_ptr<QSettings> openSettingsStore(const QString& iniPath);

} // namespace ordalis
