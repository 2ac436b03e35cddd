// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetFile.h"

#include "sheets/CsvReader.h"
#include "sheets/SheetLimits.h"
#include "sheets/WorkbookReaders.h"

#include <QFile>
#include <QFileInfo>

namespace ordalis::sheets {

namespace {

QString suffixOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

} // namespace

bool isSpreadsheetFile(const QString& path) {
    const QString suffix = suffixOf(path);
    return suffix == u"xlsx" || suffix == u"xlsm" || suffix == u"ods" || suffix == u"csv" ||
           suffix == u"xls";
}

Workbook readSheetFile(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = suffixOf(path);
    const QString tooLarge =
        QStringLiteral("文件超过%1 MB，不像是一个班级的名单").arg(MaxFileBytes >> 20);
    Workbook workbook = QList<Sheet>();
    QFile file(path);
    if (suffix == u"xls")
        workbook =
            refusal(QStringLiteral("这是旧版Excel格式（.xls），请在Excel或WPS中另存为.xlsx再导入"));
    else if (info.size() > MaxFileBytes)
        workbook = refusal(tooLarge);
    else if (!file.open(QIODevice::ReadOnly))
        workbook = refusal(QStringLiteral("文件无法打开：%1").arg(file.errorString()));
    else if (const QByteArray bytes = file.read(MaxFileBytes + 1); bytes.size() > MaxFileBytes)
        workbook = refusal(tooLarge);
    else if (suffix == u"csv")
        workbook = readCsv(bytes, info.completeBaseName());
    else if (suffix == u"ods")
        workbook = readOds(bytes);
    else
        workbook = readXlsx(bytes);
    if (workbook && workbook->isEmpty())
        workbook = refusal(QStringLiteral("文件中没有工作表"));
    if (!workbook)
        return refusal(QStringLiteral("无法导入“%1”：%2").arg(info.fileName(), workbook.why()));
    return workbook;
}

} // namespace ordalis::sheets
