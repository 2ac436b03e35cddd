// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenpyxlReader.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>

namespace ordalis::test {

std::optional<QByteArray> runPython(const QString& script, const QStringList& args,
                                    QString* error) {
    // Debian's Python, where python3-openpyxl is installed, before any other on the PATH.
    const QString debian = QStringLiteral("/usr/bin/python3");
    QProcess python;
    python.start(QFileInfo::exists(debian) ? debian : QStringLiteral("python3"),
                 QStringList{QStringLiteral("-c"), script} + args);
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0) {
        *error = python.errorString() + u'\n' + QString::fromUtf8(python.readAllStandardError());
        return std::nullopt;
    }
    return python.readAllStandardOutput();
}

std::optional<QJsonArray> readWithOpenpyxl(const QString& path, QString* error) {
    static const QString script = QStringLiteral(R"(
import datetime, json, sys, openpyxl
def cell(value):
    if isinstance(value, datetime.datetime):
        return value.strftime('%Y-%m-%d' if value.time() == datetime.time() else '%Y-%m-%d %H:%M:%S')
    if isinstance(value, datetime.date):
        return value.strftime('%Y-%m-%d')
    if isinstance(value, datetime.time):
        return value.strftime('%H:%M:%S')
    return value
book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for sheet in book.worksheets:
    rows = [[cell(v) for v in row] for row in sheet.iter_rows(values_only=True)]
    sheets.append({'name': sheet.title, 'frozen': sheet.freeze_panes, 'rows': rows})
print(json.dumps(sheets, ensure_ascii=False))
)");
    const auto out = runPython(script, {path}, error);
    if (!out)
        return std::nullopt;
    return QJsonDocument::fromJson(*out).array();
}

} // namespace ordalis::test
