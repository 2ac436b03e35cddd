// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackupFolder.h"

#include "BackupRotation.h"
#include "FileCopy.h"

#include <QDir>
#include <QSet>
#include <algorithm>

namespace ordalis {

BackupFolder::BackupFolder(QString path)
    : m_path(std::move(path)) {}

QString BackupFolder::filePath(const BackupName& name) const {
    return QDir(m_path).filePath(name.fileName());
}

QList<BackupName> BackupFolder::backups() const {
    QList<BackupName> found;
    const QStringList files =
        QDir(m_path).entryList({QStringLiteral("ordalis-*.sqlite")}, QDir::Files);
    for (const QString& file : files) {
        if (const auto name = BackupName::parse(file))
            found.append(*name);
    }
    std::sort(found.begin(), found.end(),
              [](const BackupName& a, const BackupName& b) { return b.isOlderThan(a); });
    return found;
}

bool BackupFolder::hasBackupOf(const QDate& day) const {
    const QList<BackupName> all = backups();
    return std::any_of(all.begin(), all.end(),
                       [&day](const BackupName& name) { return name.taken.date() == day; });
}

BackupName BackupFolder::nextName(const QDateTime& now, BackupOccasion occasion) const {
    BackupName name;
    name.taken = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute()));
    name.occasion = occasion;
    for (const BackupName& other : backups()) {
        if (other.taken == name.taken && other.occasion == occasion)
            name.sequence = std::max(name.sequence, other.sequence + 1);
    }
    return name;
}

void BackupFolder::rotate() const {
    const QList<BackupName> all = backups();
    QSet<QString> kept;
    for (const BackupName& name : keptBackups(all))
        kept.insert(name.fileName());
    for (const BackupName& name : all) {
        if (!kept.contains(name.fileName()))
            QFile::remove(filePath(name));
    }
    const QDir dir(m_path);
    for (const QString& file : dir.entryList({QStringLiteral("ordalis-*")}, QDir::Files)) {
        if (isUnfinishedCopy(file))
            QFile::remove(dir.filePath(file));
    }
}

} // namespace ordalis
