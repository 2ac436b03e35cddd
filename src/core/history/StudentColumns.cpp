// SPDX-License-Identifier: GPL-3.0-or-later
#include "StudentColumns.h"

#include <QStringList>

namespace ordalis {

QString StudentColumns::header(int column) {
    static const QStringList headers{QStringLiteral("姓名"),     QStringLiteral("被点次数"),
                                     QStringLiteral("计分次数"), QStringLiteral("总分"),
                                     QStringLiteral("均分"),     QStringLiteral("最近被点"),
                                     QStringLiteral("今天")};
    return headers.value(column);
}

} // namespace ordalis
