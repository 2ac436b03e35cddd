// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterFile.h"

#include "text/Gb18030.h"
#include "text/TextLines.h"

#include <QStringDecoder>

namespace ordalis::console {

QStringList rosterFileLines(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8); // skips a leading byte-order mark
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = gb18030::decode(bytes);
    return splitLines(text);
}

} // namespace ordalis::console
