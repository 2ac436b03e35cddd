// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The backups of the service the program runs itself, wired to it: a copy is the service's
// consistent copy of its SQLite file, and a restore stops the service, puts the chosen copy in
// place of the file and starts the service again on the same port, so that the address the
// program's windows use stays valid.

#include "ScoreService.h"
#include "backups/Backups.h"

namespace ordalis {

class EmbeddedBackups {
public:
    // Before the service starts on `database`: a database of an older release is copied first
    // (the upgrade waits for it), any other is copied once a day in the background.
    EmbeddedBackups(ScoreService& service, const DataFolder& folder, const QString& database);

    Backups& backups() { return m_backups; }

private:
    // On the backups' worker thread, while nothing else touches the service.
    Expected<> putInPlace(const QString& file);

    ScoreService& m_service;
    QString m_database;
    Backups m_backups;
};

} // namespace ordalis
