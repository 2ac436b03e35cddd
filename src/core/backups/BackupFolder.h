// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of backups (the data folder's "backups", or the second folder the teacher chose):
// the backups in it, the name of the next one and the rotation that thins them out.

#include "BackupName.h"

#include <QList>
#include <QString>

namespace ordalis {

class BackupFolder {
public:
    explicit BackupFolder(QString path);

    const QString& path() const { return m_path; }
    QString filePath(const BackupName& name) const;
    // Newest first; files of other names are none of them.
    QList<BackupName> backups() const;
    bool hasBackupOf(const QDate& day) const;
    // A name for a backup taken now that no file of the folder has.
    BackupName nextName(const QDateTime& now, BackupOccasion occasion) const;
    // Removes the backups the rotation does not keep, and copies left unfinished.
    void rotate() const;

private:
    QString m_path;
};

} // namespace ordalis
