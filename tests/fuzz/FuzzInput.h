// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every fuzz target does with libFuzzer's bytes: take them as a QByteArray, as a reader
// gets them from a file or a socket (copied, with the NUL Qt ends every array with), split
// them into the parts of one input, or put them where a reader finds a file.

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace ordalis::fuzz {

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input cut at its first `count - 1` line ends: always `count` parts, the missing ones
// empty, the last one holding whatever followed.
inline QByteArrayList partsOf(const QByteArray& bytes, int count) {
    QByteArrayList parts;
    qsizetype from = 0;
    for (int i = 0; i + 1 < count; ++i) {
        const qsizetype end = bytes.indexOf('\n', from);
        parts.append(end < 0 ? bytes.mid(from) : bytes.mid(from, end - from));
        from = end < 0 ? bytes.size() : end + 1;
    }
    parts.append(bytes.mid(from));
    return parts;
}

// The bytes as the one file of a folder that lives as long as the fuzzer: readers that take
// a path read each input from it.
inline QString fileOf(const QByteArray& bytes, const char* name) {
    static QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        abort();
    return path;
}

// A promise the reader broke: libFuzzer keeps the input that did it.
inline void require(bool promise, const char* what) {
    if (!promise) {
        fprintf(stderr, "broken: %s\n", what);
        abort();
    }
}

} // namespace ordalis::fuzz
