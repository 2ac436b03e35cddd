// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallRecord.h"

#include <QStringList>

namespace ordalis {

QString CallRecord::toText() const {
    return student + u'\t' + time + u'\t' + how;
}

CallRecord CallRecord::fromText(const QString& line) {
    const QStringList fields = line.split(u'\t');
    return CallRecord{fields.value(0), fields.value(1), fields.value(2)};
}

} // namespace ordalis
