// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every line kind of the protocol shares: fields joined by TAB.

#include <QString>
#include <QStringList>
#include <utility>

namespace ordalis {

// How many TAB-separated fields the line has (a line without a TAB has one). For a reader that
// takes or refuses a line by its shape before it reads it.
qsizetype fieldCount(QStringView line);

// The first `count` TAB-separated fields of the line: missing ones are empty, extra ones are
// dropped. The reading of every line kind whose fields are all text.
QStringList fieldsOf(const QString& line, qsizetype count);

// The line kind whose members are `Count` texts, in field order, read from the line.
template <typename Line, qsizetype Count> Line readFields(const QString& line) {
    const QStringList fields = fieldsOf(line, Count);
    return [&fields]<std::size_t... Field>(std::index_sequence<Field...>) {
        return Line{fields[qsizetype(Field)]...};
    }
    (std::make_index_sequence<std::size_t(Count)>());
}

} // namespace ordalis
