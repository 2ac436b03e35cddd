// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Realistic rosters and record files for the benchmarks.

#include <QList>
#include <QString>
#include <QStringList>

namespace ordalis::bench {

struct StudentKey {
    QString className;
    QString name;
};

// Chinese names of two or three characters; every index gives a different name.
QString studentName(int index);

// A record of the class list, two topics and `students` student lines: classes of 50.
struct BenchRecord {
    QString path;
    QList<StudentKey> students; // file order
};

// Writes the record into a temporary folder that lives as long as the process and dates the
// file a minute back, as a record downloaded at login would be.
BenchRecord writeBenchRecord(int students);

} // namespace ordalis::bench
