// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchLine.h"

namespace ordalis {

QString BatchLine::toText() const {
    return batchId + (kind == Kind::Score ? QStringLiteral("\ts\t") : QStringLiteral("\tc\t")) +
           line;
}

std::optional<BatchLine> BatchLine::fromText(const QString& text) {
    const QString id = text.section(u'\t', 0, 0);
    const QString kind = text.section(u'\t', 1, 1);
    if (id.isEmpty() || (kind != u"s" && kind != u"c"))
        return std::nullopt;
    return BatchLine{id, kind == u"s" ? Kind::Score : Kind::Call, text.section(u'\t', 2)};
}

} // namespace ordalis
