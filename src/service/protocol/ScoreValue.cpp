// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/ScoreValue.h"

#include "text/WireText.h"

#include <cmath>

namespace ordalis::service {

std::optional<double> scoreValue(QStringView text) {
    const double value = leadingNumber(text);
    if (!std::isfinite(value) || std::abs(value) > MaxScoreMagnitude)
        return std::nullopt;
    return value;
}

QString scoreOutOfRange(const QString& text) {
    return QStringLiteral("分数须在-%1到%1之间：%2")
        .arg(MaxScoreMagnitude, 0, 'f', 0)
        .arg(text.left(40));
}

} // namespace ordalis::service
