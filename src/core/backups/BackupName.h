// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A backup's file name says when it was taken and why: "ordalis-2026-12-09-0815.sqlite", with
// "-2", "-3" for more copies in one minute, and "-before-restore" or "-before-upgrade" for the
// copies made before the data was replaced by a backup or upgraded by a new release.

#include <QDateTime>
#include <QString>
#include <optional>

namespace ordalis {

enum class BackupOccasion { Regular, BeforeRestore, BeforeUpgrade };

struct BackupName {
    QDateTime taken;  // to the minute, local time
    int sequence = 1; // among the copies of that minute
    BackupOccasion occasion = BackupOccasion::Regular;

    QString fileName() const;
    QString shownTime() const; // "2026-12-09 08:15", as the teacher reads it
    // Nothing for a file that is no backup (another file, an unfinished copy).
    static std::optional<BackupName> parse(const QString& fileName);
    // Ordered by time, then by sequence.
    bool isOlderThan(const BackupName& other) const;
};

} // namespace ordalis
