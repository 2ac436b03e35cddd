// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreRecord.h"

#include <QStringList>

namespace ordalis {

QString ScoreRecord::toText() const {
    return QStringList{id, student, value, time, topic, standard}.join(u'\t');
}

ScoreRecord ScoreRecord::fromText(const QString& line) {
    const QStringList fields = line.split(u'\t');
    return ScoreRecord{fields.value(0), fields.value(1), fields.value(2),
                       fields.value(3), fields.value(4), fields.value(5)};
}

} // namespace ordalis
