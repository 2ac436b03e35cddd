// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineFields.h"

namespace ordalis {

qsizetype fieldCount(QStringView line) {
    return line.count(u'\t') + 1;
}

QStringList fieldsOf(const QString& line, qsizetype count) {
    QStringList fields = line.split(u'\t');
    fields.resize(count);
    return fields;
}

} // namespace ordalis
