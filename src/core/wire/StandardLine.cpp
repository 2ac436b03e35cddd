// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandardLine.h"

#include <QStringList>

namespace ordalis {

QString StandardLine::toText() const {
    return id + u'\t' + text + u'\t' + score;
}

StandardLine StandardLine::fromText(const QString& line) {
    const QStringList fields = line.split(u'\t');
    return StandardLine{fields.value(0), fields.value(1), fields.value(2)};
}

} // namespace ordalis
