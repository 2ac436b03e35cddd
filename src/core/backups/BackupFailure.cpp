// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackupFailure.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace ordalis {

QString backupFailure(const QString& what, const QString& folder, qint64 bytesNeeded,
                      const QString& systemError) {
    const QFileInfo info(folder);
    QString why;
    QString detail; // the system's words, where the folder shows no reason
    if (!info.isDir())
        why = QStringLiteral("找不到该文件夹");
    else if (!info.isWritable())
        why = QStringLiteral("文件夹只读，不能写入");
    else if (QStorageInfo(folder).bytesAvailable() < bytesNeeded)
        why = QStringLiteral("磁盘空间不足");
    else {
        why = QStringLiteral("无法写入备份文件");
        if (!systemError.isEmpty())
            detail = QStringLiteral("\n系统说明：") + systemError;
    }
    return QStringLiteral("%1：%2（%3）。").arg(what, why, QDir::toNativeSeparators(folder)) +
           detail;
}

} // namespace ordalis
