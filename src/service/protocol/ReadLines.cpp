// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/ReadLines.h"

#include "protocol/Authentication.h"
#include "storage/Sql.h"
#include "text/WireText.h"

namespace ordalis::service {

Reply readLines(Call& call, const QString& statement, const QVariantList& values,
                const QList<int>& numberColumns) {
    const Expected<qint64> teacher = authenticateReader(call);
    if (!teacher)
        return Reply::refused(teacher.refusal());
    SqlRows rows = sqlRun(call.db, statement, QVariantList{*teacher} + values);
    QStringList lines;
    while (rows.next()) {
        QStringList fields;
        for (int column = 0; column < rows.columnCount(); ++column)
            fields.append(numberColumns.contains(column)
                              ? shortestDecimal(rows.value(column).toDouble())
                              : rows.value(column).toString());
        lines.append(fields.join(u'\t'));
    }
    return Reply::text(lines.join(QStringLiteral("\r\n")));
}

} // namespace ordalis::service
