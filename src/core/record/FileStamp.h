// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the file system says about a file without reading it: enough to tell that a file was
// replaced or rewritten since it was last read.

#include <QString>

namespace ordalis {

struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; // modification time, nanoseconds since the Unix epoch
    qint64 changedNs = 0;  // status change time where the platform has one, else 0
    quint64 inode = 0;     // file identity where the platform has one, else 0

    bool operator==(const FileStamp& other) const {
        return exists == other.exists && size == other.size && modifiedNs == other.modifiedNs &&
               changedNs == other.changedNs && inode == other.inode;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

FileStamp stampOf(const QString& path);

// The current wall-clock time on the scale of FileStamp::modifiedNs.
qint64 wallClockNs();

} // namespace ordalis
