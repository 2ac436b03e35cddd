// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCopy.h"

#include <QFile>
#include <QSaveFile>

namespace ordalis {

QString unfinishedCopyOf(const QString& target) {
    return target + QStringLiteral(".part");
}

bool isUnfinishedCopy(const QString& fileName) {
    // QSaveFile's temporary files are named "<target>.XXXXXX".
    return fileName.contains(QStringLiteral(".sqlite."));
}

Expected<> copyWhole(const QString& source, const QString& target) {
    QFile from(source);
    QSaveFile to(target);
    const auto fail = [](const QFileDevice& file) { return refusal(file.errorString()); };
    if (!from.open(QIODevice::ReadOnly))
        return fail(from);
    // Unbuffered and flushed before the commit, which renames even after a failed buffered
    // write (see session/FileWrite).
    if (!to.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(to);
    constexpr qint64 Chunk = 1 << 20;
    while (!from.atEnd()) {
        const QByteArray bytes = from.read(Chunk);
        if (bytes.isEmpty() && from.error() != QFileDevice::NoError)
            return fail(from); // the QSaveFile goes without replacing anything
        if (to.write(bytes) != bytes.size())
            return fail(to);
    }
    // Synced to disk, then renamed over the target.
    if (!to.flush() || !to.commit())
        return fail(to);
    return {};
}

} // namespace ordalis
