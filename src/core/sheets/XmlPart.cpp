// SPDX-License-Identifier: GPL-3.0-or-later
#include "XmlPart.h"

namespace ordalis::sheets {

bool XmlPart::nextToken() {
    if (atEnd() || !m_outcome)
        return false;
    readNext();
    if (tokenType() == QXmlStreamReader::DTD) {
        m_outcome = refusal(QStringLiteral("表格中含有文档类型声明，可能是恶意构造的文件"));
        return false;
    }
    if (hasError()) {
        m_outcome = refusal(
            QStringLiteral("表格内容已损坏（第%1行：%2）").arg(lineNumber()).arg(errorString()));
        return false;
    }
    return !atEnd();
}

QString XmlPart::elementText(QStringView textElement, QStringView skipped) {
    QString text;
    int depth = 1;
    int skippedDepth = 0; // inside a skipped element while > 0
    while (depth > 0 && nextToken()) {
        if (isStartElement()) {
            ++depth;
            if (skippedDepth > 0 || name() == skipped)
                ++skippedDepth;
            else if (name() == textElement) {
                text += readElementText(QXmlStreamReader::IncludeChildElements);
                --depth; // the reader stands on the element's end
            }
        } else if (isEndElement()) {
            --depth;
            if (skippedDepth > 0)
                --skippedDepth;
        }
    }
    return text;
}

} // namespace ordalis::sheets
