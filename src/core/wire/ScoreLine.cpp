// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreLine.h"

#include <QStringList>

namespace ordalis {

QString ScoreLine::toText() const {
    return QStringList{className, student, score, time, standard}.join(u'\t');
}

ScoreLine ScoreLine::fromText(const QString& line) {
    const QStringList fields = line.split(u'\t');
    return ScoreLine{fields.value(0), fields.value(1), fields.value(2), fields.value(3),
                     fields.value(4)};
}

QString ScoreLine::timeText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace ordalis
