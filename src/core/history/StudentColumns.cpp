// SPDX-License-Identifier: GPL-3.0-or-later
#include "StudentColumns.h"

namespace ordalis {

QString StudentColumns::header(int column) {
    switch (column) {
    case Name:
        return QStringLiteral("姓名");
    case Calls:
        return QStringLiteral("被点次数");
    case Scores:
        return QStringLiteral("计分次数");
    case Total:
        return QStringLiteral("总分");
    case Mean:
        return QStringLiteral("均分");
    case LastCalled:
        return QStringLiteral("最近被点");
    case Today:
        return QStringLiteral("今天");
    }
    return {};
}

} // namespace ordalis
