// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/ReadLines.h"

#include "protocol/Authentication.h"
#include "storage/Sql.h"
#include "text/WireText.h"

#include <QSqlRecord>

namespace ordalis::service {

Reply readLines(Call& call, const QString& statement, const QVariantList& values,
                const QList<int>& numberColumns) {
    QString refusal;
    const auto teacher = authenticateReader(call, &refusal);
    if (!teacher)
        return Reply::forbidden(refusal);
    QSqlQuery rows = sqlRun(call.db, statement, QVariantList{*teacher} + values);
    QStringList lines;
    while (rows.next()) {
        QStringList fields;
        for (int column = 0; column < rows.record().count(); ++column)
            fields.append(numberColumns.contains(column)
                              ? shortestDecimal(rows.value(column).toDouble())
                              : rows.value(column).toString());
        lines.append(fields.join(u'\t'));
    }
    return Reply::text(lines.join(QStringLiteral("\r\n")));
}

} // namespace ordalis::service
