// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of an upload as the service reads them apart from the database: a score's
// number, its time, a list of names or of identifiers, a name.

#include "FuzzInput.h"
#include "protocol/Names.h"
#include "protocol/ScoreTime.h"
#include "protocol/ScoreValue.h"
#include "text/Gb18030.h"

#include <QDateTime>
#include <cmath>

using namespace ordalis;
using namespace ordalis::service;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = gb18030::decode(fuzz::bytesOf(data, size));
    if (const auto value = scoreValue(text))
        fuzz::require(std::isfinite(*value) && std::fabs(*value) <= MaxScoreMagnitude,
                      "a score counts for a bounded number");
    else
        scoreOutOfRange(text);
    hasLeadingNumber(text);
    const QString time = canonicalScoreTime(text);
    if (!time.isEmpty())
        fuzz::require(QDateTime::fromString(time, QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid(),
                      "a score time is a real moment");
    if (const auto items = splitList(text, 50))
        for (const QString& item : *items)
            static_cast<void>(checkName(item, QStringLiteral("学生姓名")));
    QList<qint64> ids;
    parseIdList(text, 50, &ids);
    static_cast<void>(checkText(text, QStringLiteral("评分标准")));
    isValidAccount(text);
    isValidEmail(text);
    return 0;
}
