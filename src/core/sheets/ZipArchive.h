// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of a workbook's zip archive (.xlsx, .ods), read from memory with libzip within the
// import's bounds: the number of parts, each part's unpacked size, all parts together and the
// compression ratio. Sizes are checked as declared and again while unpacking, since a hostile
// archive can declare anything.

#include "text/Refusal.h"

#include <QByteArray>
#include <QString>

struct zip;

namespace ordalis::sheets {

class ZipArchive {
public:
    // bytes: the whole file; kept by reference, so it must outlive the archive.
    explicit ZipArchive(const QByteArray& bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Whether the archive can be read: opened within its bounds, and no part refused yet.
    Expected<> usable() const;
    bool contains(const QString& name) const;
    // The part's unpacked bytes, or why they cannot be read (also when there is no such part).
    // Once a part is refused, so is every later one.
    Expected<QByteArray> read(const QString& name);

private:
    Refusal refuse(const QString& why); // and every later part

    struct zip* m_zip = nullptr;
    qint64 m_unpacked = 0;
    QString m_error; // why the archive or a part was refused; empty while all went well
};

} // namespace ordalis::sheets
