// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows kept as ordered lists of names under a parent: the classes and topics of a teacher,
// the students of a class. Each kind has its own fixed statements, chosen by the enum, so that
// no statement is ever put together from a name that a caller passes.

#include <QString>

namespace ordalis::service {

enum class NamedTable { Classes, Students, Topics };

struct NamedRowStatements {
    QString idsAndNames;  // (parent) -> id, name
    QString idByName;     // (parent, name) -> id
    QString nextPosition; // (parent) -> the position after the last
    QString insert;       // (parent, name, position) -> id
    QString move;         // (position, id)
    QString rename;       // (name, id)
    QString remove;       // (id)
};

const NamedRowStatements& statementsOf(NamedTable table);

} // namespace ordalis::service
