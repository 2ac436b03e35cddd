// SPDX-License-Identifier: GPL-3.0-or-later
#include "XmlPart.h"

namespace ordalis::sheets {

bool nextToken(QXmlStreamReader& reader, QString* error) {
    if (reader.atEnd())
        return false;
    reader.readNext();
    if (reader.tokenType() == QXmlStreamReader::DTD) {
        *error = QStringLiteral("表格中含有文档类型声明，可能是恶意构造的文件");
        return false;
    }
    if (reader.hasError()) {
        *error = QStringLiteral("表格内容已损坏（第%1行：%2）")
                     .arg(reader.lineNumber())
                     .arg(reader.errorString());
        return false;
    }
    return !reader.atEnd();
}

QString elementText(QXmlStreamReader& reader, QStringView textElement, QStringView skipped,
                    QString* error) {
    QString text;
    int depth = 1;
    int skippedDepth = 0; // inside a skipped element while > 0
    while (depth > 0 && nextToken(reader, error)) {
        if (reader.isStartElement()) {
            ++depth;
            if (skippedDepth > 0 || reader.name() == skipped)
                ++skippedDepth;
            else if (reader.name() == textElement) {
                text += reader.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth; // the reader stands on the element's end
            }
        } else if (reader.isEndElement()) {
            --depth;
            if (skippedDepth > 0)
                --skippedDepth;
        }
    }
    return text;
}

} // namespace ordalis::sheets
