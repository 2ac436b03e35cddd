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

std::optional<QByteArray> FormFields::keyWithControlCharacter() const {
    auto isControl = [](char16_t c) {
        return (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || c == 0x7f;
    };
    for (const auto& [key, value] : m_pairs) {
        if (std::any_of(key.cbegin(), key.cend(), [&](char c) { return isControl(uchar(c)); }) ||
            std::any_of(value.cbegin(), value.cend(),
                        [&](QChar c) { return isControl(c.unicode()); }))
            return key;
    }
    return std::nullopt;
}

} // namespace ordalis::service
