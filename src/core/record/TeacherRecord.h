// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher record "ServerRec.dmd": GB18030 text, CR LF lines, TAB fields. Readers go to the file
// at every use, so a new download is seen everywhere at once; a parsed snapshot is reused for
// as long as the file is unchanged, which keeps lookups cheap enough for a 5 ms draw.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis {

struct ScaleStandard {
    QString text;
    QString score; // a decimal number written as text
};

struct Topic {
    QString name;
    QList<ScaleStandard> standards;
};

// One six-field student line.
struct StudentEntry {
    QString className;
    QString name;
    QString group;     // field 2, as written
    QString total;     // field 3, carried but never interpreted
    QString scoreText; // field 4, the average score as written
    QString countText; // field 5, how often scored, as written
    double score = 0;  // leading number of field 4
    double count = 0;  // leading number of field 5
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
    // The fields of the first line that begins with class TAB name TAB, whatever its field
    // count (the lookup of the name display and the quick pick); empty when there is none.
    QStringList firstStudentLineFields(const QString& className, const QString& name) const;

private:
    QString m_filePath;
};

} // namespace ordalis
