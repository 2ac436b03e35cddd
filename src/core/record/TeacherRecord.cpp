// SPDX-License-Identifier: GPL-3.0-or-later
#include "TeacherRecord.h"

#include "RecordCache.h"

#include <QFileInfo>

namespace ordalis {

namespace {

const QString ClassListMarker = QStringLiteral("Class_Is_Ready");
const QString TopicMarker = QStringLiteral("[keti]");

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

// Fields 2, 3 / 4, 5 / ... are the standards' texts and scores; an odd last field (the empty
// field after a final TAB) has no partner and is no standard.
Topic topicFromFields(const QStringList& fields) {
    Topic topic;
    topic.name = fields.value(1);
    for (qsizetype i = 2; i + 1 < fields.size(); i += 2)
        topic.standards.append(ScaleStandard{fields[i], fields[i + 1]});
    return topic;
}

// The first line that begins with class TAB name TAB, through the index when the names hold
// no TAB, else by comparing the prefix as it stands (a TAB inside a name shifts the fields).
template <typename Value, typename FromLine>
std::optional<Value> firstStudentLine(const RecordSnapshot& record,
                                      const QHash<QString, Value>& index, const QString& className,
                                      const QString& name, FromLine fromLine) {
    if (isFieldText(className) && isFieldText(name)) {
        const auto found = index.constFind(RecordSnapshot::studentKey(className, name));
        if (found == index.cend())
            return std::nullopt;
        return *found;
    }
    for (const int n : linesWithPrefix(record, className + u'\t' + name + u'\t')) {
        if (std::optional<Value> value = fromLine(record.lines[n].split(u'\t')))
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
    // Each name is followed by a TAB; what follows the last TAB is the line end, never a name.
    for (const int n : linesWithPrefix(*record, ClassListMarker)) {
        const QStringList items = record->lines[n].split(u'\t');
        classes.append(items.mid(1, items.size() - 2));
    }
    return classes;
}

QList<Topic> TeacherRecord::readTopics() const {
    const auto record = RecordCache::snapshot(m_filePath);
    QList<Topic> topics;
    for (const int n : linesWithPrefix(*record, TopicMarker)) {
        const QStringList fields = record->lines[n].split(u'\t');
        if (fields.size() >= 2)
            topics.append(topicFromFields(fields));
    }
    return topics;
}

std::optional<Topic> TeacherRecord::findTopic(const QString& name) const {
    const auto record = RecordCache::snapshot(m_filePath);
    const QList<int> lines = linesWithPrefix(*record, TopicMarker + u'\t' + name + u'\t');
    if (lines.isEmpty())
        return std::nullopt;
    return topicFromFields(record->lines[lines.first()].split(u'\t'));
}

ClassRoster TeacherRecord::readClassRoster(const QString& className) const {
    const auto record = RecordCache::snapshot(m_filePath);
    ClassRoster roster;
    roster.name = className;
    for (const int n : linesWithPrefix(*record, className + u'\t')) {
        const QStringList fields = record->lines[n].split(u'\t');
        if (fields.size() == 6)
            roster.students.append(studentFromFields(fields));
    }
    return roster;
}

std::optional<StudentEntry> TeacherRecord::findStudent(const QString& className,
                                                       const QString& name) const {
    const auto record = RecordCache::snapshot(m_filePath);
    return firstStudentLine(*record, record->firstStudentLine, className, name,
                            [](const QStringList& fields) -> std::optional<StudentEntry> {
                                if (fields.size() != 6)
                                    return std::nullopt;
                                return studentFromFields(fields);
                            });
}

QStringList TeacherRecord::firstStudentLineFields(const QString& className,
                                                  const QString& name) const {
    const auto record = RecordCache::snapshot(m_filePath);
    return firstStudentLine(*record, record->firstLineByStudent, className, name,
                            [](const QStringList& fields) { return std::optional(fields); })
        .value_or(QStringList());
}

} // namespace ordalis
