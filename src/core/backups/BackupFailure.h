// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the teacher is told when a backup fails: what, where and why, in Chinese, such as
// "数据备份失败：磁盘空间不足（/media/usb/Ordalis备份）。". The reason is read from the folder
// after the failure: missing (a USB stick taken out), not writable, or too little space for a
// copy of `bytesNeeded`; otherwise the system's own words follow.

#include <QString>

namespace ordalis {

QString backupFailure(const QString& what, const QString& folder, qint64 bytesNeeded,
                      const QString& systemError);

} // namespace ordalis
