// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program writes its local state (pending scores and calls, batches, absent
// marks, remembered users, the term start, the record file, .dms files, the daily logs): every
// write is checked to its end, and a failure says in Chinese where and why, so that the teacher
// can be told what was not saved. A file is replaced atomically: written beside it and renamed
// over it, so a failed write (a full disk, a read-only folder) never truncates what was there.

#include "text/Refusal.h"

#include <QByteArray>
#include <QString>

class QSettings;

namespace ordalis {

// A write of one file: done, or refused with why not in Chinese as the refusal's text
// (「磁盘空间不足」, 「文件夹是只读的」, …), and in either case the file it was of.
class [[nodiscard]] FileWrite : public Expected<> {
public:
    FileWrite() = default;
    explicit FileWrite(QString path)
        : m_path(std::move(path)) {}
    FileWrite(QString path, QString reason)
        : Expected<>(ordalis::refusal(std::move(reason)))
        , m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    // 「磁盘空间不足（/home/…/Ordalis）」: the reason and the folder, for a message.
    QString reasonWithFolder() const;

private:
    QString m_path;
};

// Replaces the file whole with `bytes`.
FileWrite replaceFile(const QString& path, const QByteArray& bytes);
// Appends `bytes`, creating the file when missing; flushed before it counts as written.
FileWrite appendToFile(const QString& path, const QByteArray& bytes);
// Writes the settings' changes to their file now (QSettings replaces it atomically).
FileWrite syncSettings(QSettings& settings);
// A write of `size` bytes to `path` that failed some other way (a copy, a database's own
// write): the reason read off its folder, or the system's words when the folder shows none.
FileWrite failedWrite(const QString& path, qint64 size, const QString& systemText);

} // namespace ordalis
