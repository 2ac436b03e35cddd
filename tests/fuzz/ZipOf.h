// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A zip archive made in memory of the parts an input gives, stored uncompressed: a mutated
// part reaches the workbook's XML reader instead of failing the archive's checksum.

#include <QByteArrayList>
#include <QStringList>
#include <zip.h>

namespace ordalis::fuzz {

inline QByteArray zipOf(const QStringList& names, const QByteArrayList& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* archive = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(archive);
    zip_t* writer = zip_open_from_source(archive, ZIP_TRUNCATE, &error);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QByteArray& part = parts[i];
        zip_source_t* source = zip_source_buffer(writer, part.constData(), part.size(), 0);
        const zip_int64_t index =
            zip_file_add(writer, names[i].toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(writer, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    zip_close(writer);
    QByteArray bytes;
    if (zip_source_open(archive) == 0) {
        zip_source_seek(archive, 0, SEEK_END);
        bytes.resize(qsizetype(zip_source_tell(archive)));
        zip_source_seek(archive, 0, SEEK_SET);
        zip_source_read(archive, bytes.data(), zip_uint64_t(bytes.size()));
        zip_source_close(archive);
    }
    zip_source_free(archive);
    zip_error_fini(&error);
    return bytes;
}

} // namespace ordalis::fuzz
