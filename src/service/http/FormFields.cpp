// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/FormFields.h"

#include "text/Gb18030.h"
#include "text/WireText.h"

namespace ordalis::service {

std::optional<FormFields> FormFields::parse(QByteArrayView raw, qsizetype maxFields) {
    if (raw.count('&') >= maxFields)
        return std::nullopt;
    FormFields fields;
    qsizetype start = 0;
    while (start <= raw.size()) {
        qsizetype end = raw.indexOf('&', start);
        if (end < 0)
            end = raw.size();
        const QByteArrayView pair = raw.sliced(start, end - start);
        if (!pair.isEmpty()) {
            const qsizetype eq = pair.indexOf('=');
            const QByteArrayView key = eq < 0 ? pair : pair.first(eq);
            const QByteArrayView value = eq < 0 ? QByteArrayView() : pair.sliced(eq + 1);
            fields.m_pairs.append(
                {decodePercentBytes(key), gb18030::decode(decodePercentBytes(value))});
        }
        start = end + 1;
    }
    return fields;
}

QString FormFields::value(QByteArrayView key) const {
    for (const auto& pair : m_pairs)
        if (pair.first == key)
            return pair.second;
    return {};
}

bool FormFields::contains(QByteArrayView key) const {
    for (const auto& pair : m_pairs)
        if (pair.first == key)
            return true;
    return false;
}

} // namespace ordalis::service
