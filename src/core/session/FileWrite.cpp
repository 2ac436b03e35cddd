// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStorageInfo>

namespace ordalis {

namespace {

// Qt's own error texts are English and often say only "No space left" or nothing: the reason
// is read off the folder instead, which says the same on every platform.
QString reasonFor(const QString& path, qint64 size, const QString& systemText) {
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (!QFileInfo::exists(folder))
        return QStringLiteral("文件夹不存在");
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.isReadOnly())
        return QStringLiteral("文件夹是只读的");
    if (storage.isValid() && storage.bytesAvailable() <= size)
        return QStringLiteral("磁盘空间不足");
    if (!QFileInfo(folder).isWritable() || (file.exists() && !file.isWritable()))
        return QStringLiteral("没有写入权限");
    return QStringLiteral("无法写入%1（%2）").arg(file.fileName(), systemText);
}

} // namespace

FileWrite failedWrite(const QString& path, qint64 size, const QString& systemText) {
    return {path, reasonFor(path, size, systemText)};
}

QString FileWrite::reasonWithFolder() const {
    return QStringLiteral("%1（%2）")
        .arg(why(), QDir::toNativeSeparators(QFileInfo(m_path).absolutePath()));
}

FileWrite replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered, and flushed before the commit: Qt's commit renames the new file over the old
    // one even when the buffered bytes could not be written, which on a full disk put an empty
    // file in place of the pending scores.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failedWrite(path, bytes.size(), file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString text = file.errorString();
        file.cancelWriting();
        return failedWrite(path, bytes.size(), text);
    }
    if (!file.commit())
        return failedWrite(path, bytes.size(), file.errorString());
    return FileWrite(path);
}

FileWrite appendToFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return failedWrite(path, bytes.size(), file.errorString());
    const qint64 before = file.size();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString text = file.errorString();
        // A line cut short by a full disk would join the next one: what was there stays whole.
        file.resize(before);
        return failedWrite(path, bytes.size(), text);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return failedWrite(path, bytes.size(), file.errorString());
    return FileWrite(path);
}

FileWrite syncSettings(QSettings& settings) {
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return FileWrite(settings.fileName());
    return failedWrite(settings.fileName(), 1, {});
}

} // namespace ordalis
