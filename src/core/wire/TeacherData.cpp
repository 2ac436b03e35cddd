// SPDX-License-Identifier: GPL-3.0-or-later
#include "TeacherData.h"

#include <QStringList>

namespace ordalis {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

QString TeacherData::toText() const {
    return name + LineEnd + account + LineEnd + email;
}

std::optional<TeacherData> TeacherData::fromText(const QString& reply) {
    const QStringList pieces = reply.split(LineEnd);
    if (pieces.size() != 3)
        return std::nullopt;
    return TeacherData{pieces[0], pieces[1], pieces[2]};
}

} // namespace ordalis
