// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher record "ServerRec.dmd": GB18030 text, CR LF lines, TAB fields. Readers go to the file
// at every use, so a new download is seen everywhere at once; a parsed snapshot is reused for
// as long as the file is unchanged, which keeps lookups cheap enough for a 5 ms draw.

#include "wire/RecordLines.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis {

// A topic of the record is its line: its name and standards.
using Topic = TopicLine;

// One six-field student line, with its figures read.
struct StudentEntry : StudentLine {
    double score = 0; // leading number of the average
    double count = 0; // leading number of the count
};

struct ClassRoster {
    QString name;
    QList<StudentEntry> students; // file order
};

class TeacherRecord {
public:
    explicit TeacherRecord(QString filePath);

    const QString& filePath() const { return m_filePath; }
    bool exists() const;

    // Every line that begins with the prefix (exact, case-sensitive), each followed by CR LF.
    QString readRecordLines(const QString& prefix) const;
    // The names between "Class_Is_Ready" and the last TAB of the class list line.
    QStringList readClassList() const;
    // Every "[keti]" line with at least two fields, in file order, with its standards.
    QList<Topic> readTopics() const;
    // The first "[keti]" TAB name TAB line, as the standards list of the main window reads it.
    std::optional<Topic> findTopic(const QString& name) const;
    // The six-field lines whose first field is exactly the class name.
    ClassRoster readClassRoster(const QString& className) const;
    // The first six-field line of that class and name.
    std::optional<StudentEntry> findStudent(const QString& className, const QString& name) const;
    // The first line that begins with class TAB name TAB, whatever its field count (the lookup
    // of the name display and the quick pick): its missing fields are empty.
    std::optional<StudentLine> firstStudentLine(const QString& className,
                                                const QString& name) const;

private:
    QString m_filePath;
};

} // namespace ordalis
