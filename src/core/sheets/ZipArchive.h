// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of a workbook's zip archive (.xlsx, .ods), read from memory with libzip within the
// import's bounds: the number of parts, each part's unpacked size, all parts together and the
// compression ratio. Sizes are checked as declared and again while unpacking, since a hostile
// archive can declare anything.

#include <QByteArray>
#include <QString>
#include <optional>

struct zip;

namespace ordalis::sheets {

class ZipArchive {
public:
    // bytes: the whole file; kept by reference, so it must outlive the archive.
    explicit ZipArchive(const QByteArray& bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Why the archive or the last part could not be read; empty while all went well.
    const QString& error() const { return m_error; }
    bool contains(const QString& name) const;
    // The part's unpacked bytes, or nullopt with error() set (also when there is no such part).
    std::optional<QByteArray> read(const QString& name);

private:
    struct zip* m_zip = nullptr;
    qint64 m_unpacked = 0;
    QString m_error;
};

} // namespace ordalis::sheets
