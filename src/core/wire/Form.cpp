// SPDX-License-Identifier: GPL-3.0-or-later
#include "wire/Form.h"

#include "text/WireText.h"

namespace ordalis::wire {

namespace {

qsizetype slotCount(const Field& field) {
    return field.count > 0 ? field.count : 1;
}

} // namespace

Form::Form(const Endpoint& endpoint)
    : m_endpoint(endpoint) {
    qsizetype slots = 0;
    for (const Field& field : endpoint.fields)
        slots += slotCount(field);
    m_values.resize(slots);
}

qsizetype Form::slot(Key key, std::optional<int> index) const {
    qsizetype first = 0;
    for (const Field& field : m_endpoint.fields) {
        if (field.key == key && (field.count > 0) == index.has_value() && index.value_or(0) >= 0 &&
            index.value_or(0) < slotCount(field))
            return first + index.value_or(0);
        first += slotCount(field);
    }
    return -1;
}

Form& Form::set(Key key, const QString& value) {
    return put(slot(key, std::nullopt), value);
}

Form& Form::set(Key key, int index, const QString& value) {
    return put(slot(key, index), value);
}

Form& Form::put(qsizetype at, const QString& value) {
    Q_ASSERT_X(at >= 0, "wire::Form::set", "a field its endpoint does not have");
    if (at >= 0)
        m_values[at] = value;
    return *this;
}

QString Form::text() const {
    QString text;
    qsizetype at = 0;
    for (const Field& field : m_endpoint.fields) {
        for (int index = 0; index < slotCount(field); ++index, ++at) {
            const std::optional<QString>& value = m_values[at];
            Q_ASSERT_X(value || field.presence == Presence::Optional, "wire::Form::text",
                       "a required field without a value");
            if (!value)
                continue;
            if (!text.isEmpty())
                text += QLatin1Char('&');
            text += field.key.text();
            if (field.count > 0)
                text += QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
            text += QLatin1Char('=');
            text += escapeFormValue(*value);
        }
    }
    return text;
}

QString Form::encoded() const {
    return encodeGb18030Url(text());
}

QString Form::pathAndQuery() const {
    const QString query = encoded();
    const QString path = m_endpoint.path.text();
    return query.isEmpty() ? path : path + QLatin1Char('?') + query;
}

QUrl Form::url(const QString& base) const {
    return QUrl(base + pathAndQuery(), QUrl::TolerantMode);
}

} // namespace ordalis::wire
