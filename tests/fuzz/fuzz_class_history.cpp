// SPDX-License-Identifier: GPL-3.0-or-later
// The service's replies with a class's calls and scores, and the pending call and score lines
// of this computer with the topic their upload would send, joined into the class's history and
// its workbook; one part each, split at a NUL.

#include "FuzzInput.h"
#include "history/ClassHistory.h"
#include "text/Gb18030.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> parts = fuzz::bytesOf(data, size).split('\0');
    auto part = [&](int i) { return gb18030::decode(parts.value(i)); };
    const QStringList roster = part(0).split(u'|');
    ClassHistory history(QStringLiteral("一班"), roster, {QDate(2024, 1, 1), QDate(2024, 12, 31)});
    history.addServiceCalls(part(1));
    history.addServiceScores(part(2));
    history.addPendingCalls(part(3).split(QStringLiteral("\r\n")));
    history.addPendingScores(part(4).split(QStringLiteral("\r\n")), part(5));
    history.students();
    // The first student is away on odd days.
    history.drawCounts(
        [&roster](const QDate& day) { return day.day() % 2 ? roster.mid(0, 1) : QStringList(); });
    history.meanByDate();
    history.workbook();
    return 0;
}
