// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserClassKey.h"

#include <QUrl>

namespace ordalis {

QString userClassKey(const QString& user, const QString& className) {
    return QString::fromLatin1(QUrl::toPercentEncoding(user)) + u'_' +
           QString::fromLatin1(QUrl::toPercentEncoding(className));
}

} // namespace ordalis
