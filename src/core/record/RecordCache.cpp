// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordCache.h"

#include "FileStamp.h"
#include "text/Gb18030.h"
#include "text/TextLines.h"
#include "text/WireText.h"
#include "wire/LineFields.h"

#include <QFile>
#include <atomic>
#include <mutex>

namespace ordalis {

namespace {

struct CacheEntry {
    FileStamp stamp;
    qint64 verifiedNs = 0; // when the cached bytes were last known to be the file's content
    QByteArray bytes;
    std::shared_ptr<const RecordSnapshot> snapshot;
};

std::mutex cacheMutex;
QHash<QString, CacheEntry>& cache() {
    static QHash<QString, CacheEntry> entries;
    return entries;
}
std::atomic<int> parses{0};
std::atomic<int> reads{0};

const std::shared_ptr<const RecordSnapshot>& emptySnapshot() {
    static const std::shared_ptr<const RecordSnapshot> empty =
        std::make_shared<const RecordSnapshot>();
    return empty;
}

StudentEntry entryOf(const StudentLine& line) {
    return StudentEntry{line, leadingNumber(line.scoreText), leadingNumber(line.countText)};
}

} // namespace

RecordSnapshot parseRecord(const QByteArray& bytes) {
    ++parses;
    RecordSnapshot record;
    record.lines = splitLines(gb18030::decode(bytes));
    for (int n = 0; n < record.lines.size(); ++n) {
        const QString& line = record.lines[n];
        const qsizetype firstTab = line.indexOf(u'\t');
        record.linesByFirstField[firstTab < 0 ? line : line.left(firstTab)].append(n);
        if (firstTab < 0)
            continue;
        const qsizetype secondTab = line.indexOf(u'\t', firstTab + 1);
        if (secondTab < 0)
            continue;
        // Lookups of a student are frequent (the draw shows each name it passes), so their
        // answers are split and read here once.
        const QString key = line.left(secondTab);
        const bool firstLine = !record.firstLineByStudent.contains(key);
        const bool firstStudent = !record.firstStudentLine.contains(key);
        if (!firstLine && !firstStudent)
            continue;
        const StudentLine student = StudentLine::fromText(line);
        if (firstLine)
            record.firstLineByStudent.insert(key, student);
        if (firstStudent && fieldCount(line) == StudentLine::Fields)
            record.firstStudentLine.insert(key, entryOf(student));
    }
    return record;
}

std::optional<StudentEntry> studentOfLine(const QString& line) {
    if (fieldCount(line) != StudentLine::Fields)
        return std::nullopt;
    return entryOf(StudentLine::fromText(line));
}

std::shared_ptr<const RecordSnapshot> RecordCache::snapshot(const QString& path) {
    const FileStamp stamp = stampOf(path);
    std::lock_guard<std::mutex> lock(cacheMutex);
    if (!stamp.exists) {
        cache().remove(path);
        return emptySnapshot();
    }
    CacheEntry& entry = cache()[path];
    const bool sameStamp = entry.snapshot && entry.stamp == stamp;
    if (sameStamp && entry.verifiedNs - stamp.modifiedNs >= RacyWindowNs)
        return entry.snapshot;

    // Take the time before reading: a write after this moment must count as newer.
    const qint64 readNs = wallClockNs();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cache().remove(path);
        return emptySnapshot();
    }
    QByteArray bytes = file.readAll();
    ++reads;
    if (!entry.snapshot || bytes != entry.bytes) {
        entry.snapshot = std::make_shared<const RecordSnapshot>(parseRecord(bytes));
        entry.bytes = std::move(bytes);
    }
    entry.stamp = stamp;
    entry.verifiedNs = readNs;
    return entry.snapshot;
}

int RecordCache::parseCount() {
    return parses.load();
}

int RecordCache::readCount() {
    return reads.load();
}

} // namespace ordalis
