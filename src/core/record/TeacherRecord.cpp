// SPDX-License-Identifier: GPL-3.0-or-later
#include "TeacherRecord.h"

#include "RecordCache.h"

#include <QFileInfo>

namespace ordalis {

namespace {

// The numbers of the lines that begin with the prefix, in file order. A prefix with a TAB
// names the first field exactly, so only that field's lines need a look.
QList<int> linesWithPrefix(const RecordSnapshot& record, const QString& prefix) {
    QList<int> found;
    const qsizetype tab = prefix.indexOf(u'\t');
    if (tab >= 0) {
        const auto candidates = record.linesByFirstField.constFind(prefix.left(tab));
        if (candidates == record.linesByFirstField.cend())
            return found;
        for (const int n : *candidates) {
            if (record.lines[n].startsWith(prefix))
                found.append(n);
        }
        return found;
    }
    for (int n = 0; n < record.lines.size(); ++n) {
        if (record.lines[n].startsWith(prefix))
            found.append(n);
    }
    return found;
}

bool isFieldText(const QString& text) {
    return !text.contains(u'\t');
}

// The first line that begins with class TAB name TAB, through the index when the names hold
// no TAB, else by comparing the prefix as it stands (a TAB inside a name shifts the fields).
template <typename Value, typename FromLine>
std::optional<Value>
findFirstStudentLine(const RecordSnapshot& record, const QHash<QString, Value>& index,
                     const QString& className, const QString& name, FromLine fromLine) {
    if (isFieldText(className) && isFieldText(name)) {
        const auto found = index.constFind(RecordSnapshot::studentKey(className, name));
        if (found == index.cend())
            return std::nullopt;
        return *found;
    }
    for (const int n : linesWithPrefix(record, className + u'\t' + name + u'\t')) {
        if (std::optional<Value> value = fromLine(record.lines[n]))
            return value;
    }
    return std::nullopt;
}

} // namespace

TeacherRecord::TeacherRecord(QString filePath)
    : m_filePath(std::move(filePath)) {}

bool TeacherRecord::exists() const {
    return QFileInfo(m_filePath).isFile();
}

QString TeacherRecord::readRecordLines(const QString& prefix) const {
    const auto record = RecordCache::snapshot(m_filePath);
    QString text;
    for (const int n : linesWithPrefix(*record, prefix))
        text += record->lines[n] + QStringLiteral("\r\n");
    return text;
}

QStringList TeacherRecord::readClassList() const {
    const auto record = RecordCache::snapshot(m_filePath);
    QStringList classes;
    for (const int n : linesWithPrefix(*record, ClassListLine::Marker))
        classes.append(ClassListLine::fromText(record->lines[n]).classes);
    return classes;
}

QList<Topic> TeacherRecord::readTopics() const {
    const auto record = RecordCache::snapshot(m_filePath);
    QList<Topic> topics;
    for (const int n : linesWithPrefix(*record, TopicLine::Marker)) {
        if (std::optional<Topic> topic = TopicLine::fromText(record->lines[n]))
            topics.append(std::move(*topic));
    }
    return topics;
}

std::optional<Topic> TeacherRecord::findTopic(const QString& name) const {
    const auto record = RecordCache::snapshot(m_filePath);
    const QList<int> lines = linesWithPrefix(*record, TopicLine::Marker + u'\t' + name + u'\t');
    if (lines.isEmpty())
        return std::nullopt;
    return TopicLine::fromText(record->lines[lines.first()]);
}

ClassRoster TeacherRecord::readClassRoster(const QString& className) const {
    const auto record = RecordCache::snapshot(m_filePath);
    ClassRoster roster;
    roster.name = className;
    for (const int n : linesWithPrefix(*record, className + u'\t')) {
        if (std::optional<StudentEntry> student = studentOfLine(record->lines[n]))
            roster.students.append(std::move(*student));
    }
    return roster;
}

std::optional<StudentEntry> TeacherRecord::findStudent(const QString& className,
                                                       const QString& name) const {
    const auto record = RecordCache::snapshot(m_filePath);
    return findFirstStudentLine(*record, record->firstStudentLine, className, name, studentOfLine);
}

std::optional<StudentLine> TeacherRecord::firstStudentLine(const QString& className,
                                                           const QString& name) const {
    const auto record = RecordCache::snapshot(m_filePath);
    return findFirstStudentLine(
        *record, record->firstLineByStudent, className, name,
        [](const QString& line) { return std::optional(StudentLine::fromText(line)); });
}

} // namespace ordalis
