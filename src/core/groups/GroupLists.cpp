// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupLists.h"

namespace ordalis {

int groupNumber(QStringView field) {
    const QStringView digits = field.trimmed();
    if (digits.isEmpty() || digits.size() > 2)
        return -1;
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value < GroupCount ? value : -1;
}

QString groupName(int group) {
    return group == NoGroup ? QStringLiteral("未分组") : QStringLiteral("第%1组").arg(group);
}

} // namespace ordalis
