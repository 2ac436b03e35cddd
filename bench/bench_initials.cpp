// SPDX-License-Identifier: GPL-3.0-or-later
// Initials of a whole roster, as the quick pick computes them for every student.
#include "BenchData.h"
#include "pinyin/Initials.h"

#include <benchmark/benchmark.h>

using namespace ordalis;

namespace {

void getInitials(benchmark::State& state) {
    // Mostly Chinese names (level-1, level-2 and exception characters), every tenth Latin.
    QStringList roster;
    qsizetype characters = 0;
    for (int i = 0; i < state.range(0); ++i) {
        QString name = bench::studentName(i);
        if (i % 10 == 0)
            name = QStringLiteral("Tom") + name;
        if (i % 7 == 0)
            name += QStringLiteral("解");
        characters += name.size();
        roster << name;
    }
    ordalis::getInitials(roster.first()); // the code table is built once per run
    for (auto _ : state) {
        for (const QString& name : roster)
            benchmark::DoNotOptimize(ordalis::getInitials(name));
    }
    state.SetItemsProcessed(state.iterations() * characters);
    state.counters["chars/roster"] = double(characters);
}

} // namespace

BENCHMARK(getInitials)->Arg(10000)->Unit(benchmark::kMicrosecond);
