// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZipArchive.h"

#include "sheets/SheetLimits.h"

#include <zip.h>

namespace ordalis::sheets {

namespace {

const QString Broken = QStringLiteral("文件已损坏，或者不是它的扩展名所说的格式");

QString tooLarge(qint64 limit) {
    return QStringLiteral("解压后的内容超过%1 MB，可能是恶意构造的文件").arg(limit >> 20);
}

} // namespace

ZipArchive::ZipArchive(const QByteArray& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source)
        m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (source && !m_zip)
        zip_source_free(source);
    zip_error_fini(&error);
    if (!m_zip)
        m_error = Broken;
    else if (zip_get_num_entries(m_zip, 0) > MaxEntries)
        m_error =
            QStringLiteral("压缩包中的文件太多（超过%1个），可能是恶意构造的文件").arg(MaxEntries);
}

ZipArchive::~ZipArchive() {
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipArchive::contains(const QString& name) const {
    return m_zip && zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0;
}

Expected<> ZipArchive::usable() const {
    if (!m_error.isEmpty())
        return refusal(m_error);
    return {};
}

Refusal ZipArchive::refuse(const QString& why) {
    m_error = why;
    return refusal(why);
}

Expected<QByteArray> ZipArchive::read(const QString& name) {
    if (const Expected<> readable = usable(); !readable)
        return readable.refusal();
    const zip_int64_t index = zip_name_locate(m_zip, name.toUtf8().constData(), 0);
    zip_stat_t stat;
    if (index < 0 || zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_COMP_SIZE))
        return refuse(Broken);
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return refuse(QStringLiteral("文件有密码保护，请在表格程序中取消密码后另存再导入"));
    const qint64 declared = qint64(std::min<zip_uint64_t>(stat.size, INT64_MAX));
    if (declared > MaxEntryBytes || m_unpacked + declared > MaxUnpackedBytes)
        return refuse(tooLarge(declared > MaxEntryBytes ? MaxEntryBytes : MaxUnpackedBytes));
    if (declared > (1 << 20) &&
        declared / std::max<qint64>(1, qint64(stat.comp_size)) > MaxCompressionRatio)
        return refuse(QStringLiteral("压缩比异常（超过%1倍），可能是恶意构造的文件")
                          .arg(MaxCompressionRatio));
    zip_file_t* file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file)
        return refuse(Broken);
    // Unpacked up to the declared size and one byte more: a part that holds more than it
    // declares is refused instead of being read on.
    QByteArray bytes(declared + 1, Qt::Uninitialized);
    qint64 got = 0;
    bool failed = false;
    while (got < bytes.size()) {
        const zip_int64_t n = zip_fread(file, bytes.data() + got, zip_uint64_t(bytes.size() - got));
        if (n <= 0) {
            failed = n < 0;
            break;
        }
        got += n;
    }
    zip_fclose(file);
    if (failed || got != declared)
        return refuse(Broken);
    bytes.truncate(got);
    m_unpacked += got;
    return bytes;
}

} // namespace ordalis::sheets
