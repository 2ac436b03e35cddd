// SPDX-License-Identifier: GPL-3.0-or-later
#include "DmsFile.h"

#include "text/Gb18030.h"
#include "text/TextLines.h"

#include <QFile>

namespace ordalis {

FileWrite writeDmsFile(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bool encoded = false;
        bytes += gb18030::encode(line, &encoded) + "\r\n";
        if (!encoded)
            return {path, gb18030::unencodableMessage(line)};
    }
    return replaceFile(path, bytes);
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
