// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fields of a form body or a query string, read the way the program writes them: pairs
// split at "&", key and value at the first "=", and only then each %XX turned into its byte
// (a "+" stays a "+") and the bytes read as GB18030. Splitting first means an escaped "&" or "="
// can never cut a value.

#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace ordalis::service {

class FormFields {
public:
    // Nullopt when there are more than `maxFields` pairs, counted before any is decoded.
    static std::optional<FormFields> parse(QByteArrayView raw, qsizetype maxFields);

    // The value of the first pair with this key; empty when the key is absent.
    QString value(QByteArrayView key) const;
    bool contains(QByteArrayView key) const;
    // The key of the first field whose key or value holds a control character other than
    // TAB, CR and LF (a NUL, an escape, DEL).
    std::optional<QByteArray> keyWithControlCharacter() const;

private:
    QList<QPair<QByteArray, QString>> m_pairs;
};

} // namespace ordalis::service
