// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreLine.h"

namespace ordalis {

QString ScoreLine::timeText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace ordalis
