// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line of the user's pending batches file: the batch id, "s" for a score line or "c" for a
// call, and that line itself, joined by TAB.

#include <QString>
#include <optional>

namespace ordalis {

struct BatchLine {
    enum class Kind { Score, Call };

    QString batchId;
    Kind kind = Kind::Score;
    QString line; // a ScoreLine or CallLine text, TABs and all

    QString toText() const;
    // Nothing without an id or with a kind other than "s" and "c"; everything after the second
    // TAB is the line.
    static std::optional<BatchLine> fromText(const QString& text);
};

} // namespace ordalis
