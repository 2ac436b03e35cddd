// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/ReadLines.h"

#include "protocol/Authentication.h"
#include "wire/ReplyLines.h"

namespace ordalis::service {

Reply readLines(Call& call, const QString& statement, const QVariantList& values,
                const std::function<QString(const SqlRows& row)>& lineOf) {
    const Expected<qint64> teacher = authenticateReader(call);
    if (!teacher)
        return Reply::refused(teacher.refusal());
    SqlRows rows = sqlRun(call.db, statement, QVariantList{*teacher} + values);
    QStringList lines;
    while (rows.next())
        lines.append(lineOf(rows));
    return Reply::text(replyText(lines));
}

} // namespace ordalis::service
