// SPDX-License-Identifier: GPL-3.0-or-later
// Student lookups on records of 50 to 5,000 lines: the draw looks a student up every 5 ms.
#include "BenchData.h"
#include "record/TeacherRecord.h"
#include "text/Gb18030.h"

#include <QFile>
#include <benchmark/benchmark.h>

using namespace ordalis;

namespace {

// The students a draw rolls through: one class, the one whose students come last in the file.
QList<bench::StudentKey> drawnClass(const bench::BenchRecord& data) {
    QList<bench::StudentKey> keys;
    for (const bench::StudentKey& key : data.students) {
        if (key.className == data.students.last().className)
            keys.append(key);
    }
    return keys;
}

// Looks up one student of the class per iteration, in a scattered order.
template <typename Lookup> void lookUpStudents(benchmark::State& state, Lookup lookup) {
    const bench::BenchRecord data = bench::writeBenchRecord(int(state.range(0)));
    const QList<bench::StudentKey> keys = drawnClass(data);
    const TeacherRecord record(data.path);
    qsizetype next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lookup(record, keys[next]));
        next = (next + 17) % keys.size();
    }
}

void findStudent(benchmark::State& state) {
    lookUpStudents(state, [](const TeacherRecord& record, const bench::StudentKey& key) {
        return record.findStudent(key.className, key.name);
    });
}

// The lookup of the name display: the first line of that class and name, whatever its fields.
void StudentLineLookup(benchmark::State& state) {
    lookUpStudents(state, [](const TeacherRecord& record, const bench::StudentKey& key) {
        return record.firstStudentLine(key.className, key.name);
    });
}

// The baseline without a snapshot: read, decode and split the whole file at every lookup.
void FindStudentReread(benchmark::State& state) {
    const bench::BenchRecord data = bench::writeBenchRecord(int(state.range(0)));
    const QList<bench::StudentKey> keys = drawnClass(data);
    qsizetype next = 0;
    for (auto _ : state) {
        const bench::StudentKey& key = keys[next];
        QFile file(data.path);
        file.open(QIODevice::ReadOnly);
        const QStringList lines = gb18030::decode(file.readAll()).split(QStringLiteral("\r\n"));
        const QString prefix = key.className + u'\t' + key.name + u'\t';
        QStringList fields;
        for (const QString& line : lines) {
            if (line.startsWith(prefix)) {
                fields = line.split(u'\t');
                break;
            }
        }
        benchmark::DoNotOptimize(fields);
        next = (next + 17) % keys.size();
    }
}

} // namespace

BENCHMARK(findStudent)->Arg(50)->Arg(500)->Arg(5000);
BENCHMARK(StudentLineLookup)->Arg(50)->Arg(500)->Arg(5000);
BENCHMARK(FindStudentReread)->Arg(50)->Arg(500)->Arg(5000);
