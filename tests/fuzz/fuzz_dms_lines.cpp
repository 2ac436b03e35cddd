// SPDX-License-Identifier: GPL-3.0-or-later
// A .dms file of score lines opened for an upload, its lines read as score lines, and the
// line a daily log takes a score back with.

#include "FuzzInput.h"
#include "scoring/DailyLog.h"
#include "scoring/DmsFile.h"
#include "wire/ScoreLine.h"

#include <QDateTime>

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto lines = readDmsFile(fuzz::fileOf(fuzz::bytesOf(data, size), "scores.dms"));
    fuzz::require(lines.has_value(), "a file that is there is read");
    const QDateTime now(QDate(2024, 3, 15), QTime(8, 1, 2));
    for (const QString& line : *lines) {
        const ScoreLine score = ScoreLine::fromText(line);
        fuzz::require(ScoreLine::fromText(score.toText()).toText() == score.toText(),
                      "a score line reads back as written");
        cancellingLine(line, now);
    }
    return 0;
}
