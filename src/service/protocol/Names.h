// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the record format and the wire format can carry: names without TAB, CR, LF (record
// fields and lines), "|" (list separator), "&" and "=" (form delimiters), nor bytes that are
// no character. Every character GB18030 has, rare ones of real names included, is kept.

#include "text/Refusal.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis::service {

// Whether the name can be stored; refused with the reason, naming the name, otherwise. `what`
// is the kind of name in the refusal ("班级名称").
Expected<> checkName(const QString& name, const QString& what);
// The same rules for free text fields (a remark, a topic of an upload) that may be empty.
Expected<> checkText(const QString& text, const QString& what);

// A "|"-joined list value; empty items (a trailing bar, an empty value) are dropped. Nullopt
// when it holds more than `maximum` items, found before any item is copied.
std::optional<QStringList> splitList(const QString& value, qsizetype maximum);
// The refusal of a list longer than its maximum.
QString tooManyItems(const QString& what, qsizetype maximum);

// Identifiers of a "|"-joined list such as "|15|12"; false when a piece is no identifier or
// there are more than `maximum`.
bool parseIdList(const QString& value, qsizetype maximum, QList<qint64>* ids);

// Account names: 4 to 32 letters, digits or "_".
bool isValidAccount(const QString& account);
bool isValidEmail(const QString& email);

// Whether the text starts with a number after blanks: "3分" does, "优" does not.
bool hasLeadingNumber(QStringView text);

} // namespace ordalis::service
