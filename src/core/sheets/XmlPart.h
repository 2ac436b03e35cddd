// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The XML parts of a workbook, read with Qt's stream reader. A part with a document type
// declaration is refused: a workbook needs none, and entities declared in one are the way to
// blow a small file up.

#include "text/Refusal.h"

#include <QString>
#include <QXmlStreamReader>

namespace ordalis::sheets {

// A stream reader that keeps how its part ended: read to its end, or refused.
class XmlPart : public QXmlStreamReader {
public:
    explicit XmlPart(const QByteArray& xml)
        : QXmlStreamReader(xml) {}

    // Reads the next token; false at the end, on an error or at a declaration, which
    // outcome() then refuses.
    bool nextToken();
    // The text of the current element and its children, skipping the elements named `skipped`
    // (phonetic guides, comments); the reader ends on the element's end.
    QString elementText(QStringView textElement, QStringView skipped);

    // Whether the part was read without a fault so far.
    const Expected<>& outcome() const { return m_outcome; }

private:
    Expected<> m_outcome;
};

} // namespace ordalis::sheets
