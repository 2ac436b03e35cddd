// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawCategories.h"

namespace ordalis {

namespace {

constexpr int FirstCountBand = 4; // 很少, 较少, 较多, 很多
constexpr int FirstScoreBand = 8; // 较易, 中等, 较难, 很难

double average(double sum, int n) {
    return n == 0 ? 0 : sum / n;
}

// Every threshold is "strictly below", and the first band whose threshold holds wins, so a
// value equal to a threshold goes to the higher band.
int countBand(double count, const ClassSorting& sorting) {
    if (count < sorting.low)
        return FirstCountBand;
    if (count < sorting.mean)
        return FirstCountBand + 1;
    if (count < sorting.high)
        return FirstCountBand + 2;
    return FirstCountBand + 3;
}

int scoreBand(double score) {
    if (score < 2)
        return FirstScoreBand;
    if (score < 3)
        return FirstScoreBand + 1;
    if (score < 4)
        return FirstScoreBand + 2;
    return FirstScoreBand + 3;
}

} // namespace

ClassSorting sortClass(const ClassRoster& roster) {
    ClassSorting sorting;
    sorting.className = roster.name;
    const QList<StudentEntry>& students = roster.students;

    double sum = 0;
    for (const StudentEntry& student : students)
        sum += student.count;
    sorting.mean = average(sum, int(students.size()));

    double lowSum = 0, highSum = 0;
    int lowN = 0, highN = 0;
    for (const StudentEntry& student : students) {
        if (student.count < sorting.mean) {
            lowSum += student.count;
            ++lowN;
        } else {
            highSum += student.count;
            ++highN;
        }
    }
    sorting.low = average(lowSum, lowN);
    sorting.high = average(highSum, highN);

    for (const StudentEntry& student : students) {
        sorting.kinds[AllStudents].append(student.name);
        sorting.kinds[NotYetCalled].append(student.name);
        if (student.count == 0) {
            sorting.kinds[NeverScored].append(student.name);
        } else {
            sorting.kinds[countBand(student.count, sorting)].append(student.name);
            sorting.kinds[scoreBand(student.score)].append(student.name);
        }
        // A student whose group field is no group 0..15 is drawn like everyone else but
        // belongs to no group list.
        const int group = groupNumber(student.group);
        if (group >= 0)
            sorting.groups[group].append(student.name);
    }
    return sorting;
}

} // namespace ordalis
