// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The XML parts of a workbook, read with Qt's stream reader. A part with a document type
// declaration is refused: a workbook needs none, and entities declared in one are the way to
// blow a small file up.

#include <QString>
#include <QXmlStreamReader>

namespace ordalis::sheets {

// Reads the next token; false at the end, on an error or at a declaration, which `*error`
// then names (it stays empty at a clean end).
bool nextToken(QXmlStreamReader& reader, QString* error);

// The text of the current element and its children, skipping the elements named `skipped`
// (phonetic guides, comments); the reader ends on the element's end.
QString elementText(QXmlStreamReader& reader, QStringView textElement, QStringView skipped,
                    QString* error);

} // namespace ordalis::sheets
