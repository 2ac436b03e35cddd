// SPDX-License-Identifier: GPL-3.0-or-later
#include "DmsFile.h"

#include "text/Gb18030.h"
#include "text/TextLines.h"

#include <QFile>
#include <QSaveFile>

namespace ordalis {

bool writeDmsFile(const QString& path, const QStringList& lines, QString* error) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bool encoded = false;
        bytes += gb18030::encode(line, &encoded) + "\r\n";
        if (!encoded) {
            if (error)
                *error = gb18030::unencodableMessage(line);
            return false;
        }
    }
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
    QStringList lines = splitLines(gb18030::decode(file.readAll()));
    lines.removeAll(QString());
    return lines;
}

} // namespace ordalis
