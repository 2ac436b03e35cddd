// SPDX-License-Identifier: GPL-3.0-or-later
#include "DmsFile.h"

#include "text/Gbk.h"
#include "text/TextLines.h"

#include <QFile>
#include <QSaveFile>

namespace ordalis {

bool writeDmsFile(const QString& path, const QStringList& lines, QString* error) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += gbk::encode(line) + "\r\n";
    // Written beside the target and renamed over it, so a failed write leaves the old file whole.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

std::optional<QStringList> readDmsFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList lines = splitLines(gbk::decode(file.readAll()));
    lines.removeAll(QString());
    return lines;
}

} // namespace ordalis
