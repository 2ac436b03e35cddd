// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Parsed snapshots of record files, shared by every reader in the process. A snapshot is
// reused only while the file is provably unchanged: its stamp (size, times, identity) must be
// the same, and while the file is young enough that a rewrite could hide inside one timestamp
// tick, its bytes are compared as well.

#include "TeacherRecord.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace ordalis {

struct RecordSnapshot {
    QStringList lines; // file order; CR LF, a lone LF and a lone CR all end a line
    // The text before the first TAB (the whole line when it has none) -> line numbers.
    QHash<QString, QList<int>> linesByFirstField;
    // class TAB name -> the first line that begins with class TAB name TAB.
    QHash<QString, StudentLine> firstLineByStudent;
    // class TAB name -> the first such line with exactly six fields, read as a student.
    QHash<QString, StudentEntry> firstStudentLine;

    static QString studentKey(const QString& className, const QString& name) {
        return className + u'\t' + name;
    }
};

class RecordCache {
public:
    // The snapshot of the file as it is now; an empty one when the file is missing or unreadable.
    static std::shared_ptr<const RecordSnapshot> snapshot(const QString& path);

    // How many times a file has been parsed, and read, in this process (for tests).
    static int parseCount();
    static int readCount();
    // Within this many nanoseconds of its last modification a file's bytes are compared at every
    // read: a same-size rewrite within one timestamp tick leaves its stamp unchanged.
    static constexpr qint64 RacyWindowNs = 3'000'000'000;
};

// Splits a record's text into lines and indexes them.
RecordSnapshot parseRecord(const QByteArray& bytes);

// The student of a line of exactly six fields; nothing for any other line.
std::optional<StudentEntry> studentOfLine(const QString& line);

} // namespace ordalis
