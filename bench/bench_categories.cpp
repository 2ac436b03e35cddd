// SPDX-License-Identifier: GPL-3.0-or-later
// Sorting one class into the draw categories and group lists when it is chosen.
#include "BenchData.h"
#include "record/DrawCategories.h"

#include <benchmark/benchmark.h>

using namespace ordalis;

namespace {

void sortClass(benchmark::State& state) {
    ClassRoster roster;
    roster.name = QStringLiteral("高一班");
    for (int i = 0; i < state.range(0); ++i) {
        StudentEntry student;
        student.className = roster.name;
        student.name = bench::studentName(i);
        student.group = QString::number(i % 17); // 16 is no group
        student.count = (i * 7) % 23;
        student.score = double((i * 13) % 50) / 10;
        roster.students.append(student);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ordalis::sortClass(roster));
}

} // namespace

BENCHMARK(sortClass)->Arg(1000)->Unit(benchmark::kMicrosecond);
