// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher record file as the service or an old copy of it wrote it, read by every reader
// the program has: the class list, the topics and standards, each class's students.

#include "FuzzInput.h"
#include "record/TeacherRecord.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TeacherRecord record(fuzz::fileOf(fuzz::bytesOf(data, size), "ServerRec.dmd"));
    for (const Topic& topic : record.readTopics())
        record.findTopic(topic.name);
    for (const QString& className : record.readClassList()) {
        for (const StudentEntry& student : record.readClassRoster(className).students) {
            fuzz::require(record.findStudent(className, student.name).has_value(),
                          "a listed student is found");
            record.firstStudentLine(className, student.name);
        }
        record.readRecordLines(className + u'\t');
    }
    return 0;
}
