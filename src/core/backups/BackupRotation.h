// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which backups of a folder are kept: the newest of each of the last 7 days, 4 ISO weeks and 12
// months that have a backup (one copy may stand for its day, its week and its month), and beside
// them the 3 newest copies made before a restore or an upgrade, which are what a teacher goes
// back to after a mistake and must not be pushed out by the copies made since.

#include "BackupName.h"

#include <QList>

namespace ordalis {

struct RotationRule {
    int days = 7;
    int weeks = 4;
    int months = 12;
    int setAside = 3; // copies made before a restore or an upgrade
};

// The backups the rule keeps, newest first.
QList<BackupName> keptBackups(QList<BackupName> backups, const RotationRule& rule = {});

} // namespace ordalis
