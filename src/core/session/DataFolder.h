// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder where the program keeps its files: the teacher record, the daily logs and the
// embedded service's database. Per user by default, so teachers never share files by accident.

#include <QString>

namespace ordalis {

class DataFolder {
public:
    // The per-user application data folder of this platform.
    static QString defaultPath();

    explicit DataFolder(QString path = defaultPath());

    const QString& path() const { return m_path; }
    QString filePath(const QString& fileName) const;
    // The teacher record, "ServerRec.dmd".
    QString recordFile() const;
    // Creates the folder when missing; false when it cannot be created.
    bool ensureExists() const;

private:
    QString m_path;
};

} // namespace ordalis
