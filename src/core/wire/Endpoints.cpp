// SPDX-License-Identifier: GPL-3.0-or-later
#include "wire/Endpoints.h"

#include <QByteArray>

namespace ordalis::wire {

QByteArray indexedKey(Key key, int index) {
    return key.bytes().toByteArray() + '[' + QByteArray::number(index) + ']';
}

} // namespace ordalis::wire
