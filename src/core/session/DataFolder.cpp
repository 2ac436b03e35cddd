// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace ordalis {

QString DataFolder::defaultPath() {
    // Independent of the application name, so the program, its console and its tools agree.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Ordalis"));
}

DataFolder::DataFolder(QString path)
    : m_path(std::move(path)) {}

QString DataFolder::filePath(const QString& fileName) const {
    return QDir(m_path).filePath(fileName);
}

QString DataFolder::recordFile() const {
    return filePath(QStringLiteral("ServerRec.dmd"));
}

bool DataFolder::ensureExists() const {
    return QDir().mkpath(m_path);
}

} // namespace ordalis
