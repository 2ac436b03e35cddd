// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileStamp.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <time.h>
#endif

namespace ordalis {

#ifdef Q_OS_UNIX

namespace {
qint64 nanoseconds(const timespec& time) {
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}
} // namespace

FileStamp stampOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileStamp{};
#ifdef Q_OS_DARWIN
    const timespec& modified = info.st_mtimespec;
    const timespec& changed = info.st_ctimespec;
#else
    const timespec& modified = info.st_mtim;
    const timespec& changed = info.st_ctim;
#endif
    return FileStamp{true, qint64(info.st_size), nanoseconds(modified), nanoseconds(changed),
                     quint64(info.st_ino)};
}

qint64 wallClockNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

#else

FileStamp stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return FileStamp{};
    const auto ns = [](const QDateTime& time) { return time.toMSecsSinceEpoch() * 1000000; };
    return FileStamp{true, info.size(), ns(info.fileTime(QFileDevice::FileModificationTime)),
                     ns(info.fileTime(QFileDevice::FileMetadataChangeTime)), 0};
}

qint64 wallClockNs() {
    return QDateTime::currentMSecsSinceEpoch() * 1000000;
}

#endif

} // namespace ordalis
