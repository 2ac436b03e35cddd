// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallLine.h"

#include <QStringList>

namespace ordalis {

QString CallLine::toText() const {
    return className + u'\t' + student + u'\t' + time + u'\t' + how;
}

CallLine CallLine::fromText(const QString& line) {
    const QStringList fields = line.split(u'\t');
    return CallLine{fields.value(0), fields.value(1), fields.value(2), fields.value(3)};
}

} // namespace ordalis
