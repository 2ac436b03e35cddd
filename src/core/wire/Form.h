// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values of one request, written in the order of its endpoint's fields whatever order they
// are given in: as a form body (a change) or a query (a read, a page). Values go in escaped
// (escapeFormValue), so "&", "=", "%", "+" and "#" in a password or a name arrive as typed; a
// field given no value is left out. Giving a field its endpoint does not have, or leaving out a
// required one, is a mistake of the caller that a debug build stops at.

#include "wire/Endpoints.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

namespace ordalis::wire {

class Form {
public:
    explicit Form(const Endpoint& endpoint);

    Form& set(Key key, const QString& value);
    // Field `index` of an indexed field (group[index]).
    Form& set(Key key, int index, const QString& value);

    // key=value pairs joined by "&", the values escaped and not yet percent-encoded.
    QString text() const;
    // The text with every character above ASCII as the %HH escapes of its GB18030 bytes: a
    // body's bytes on the wire, or a query.
    QString encoded() const;
    // The endpoint's path with the query, for a read or a page.
    QString pathAndQuery() const;
    // That address under `base` (a service or site without trailing "/").
    QUrl url(const QString& base) const;

private:
    // Where the value of the field goes; -1 for a field the endpoint does not have.
    qsizetype slot(Key key, std::optional<int> index) const;
    Form& put(qsizetype slot, const QString& value);

    const Endpoint& m_endpoint;
    QList<std::optional<QString>> m_values; // one per field, indexed ones expanded
};

} // namespace ordalis::wire
