// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/NamedRows.h"

namespace ordalis::service {

const NamedRowStatements& statementsOf(NamedTable table) {
    static const NamedRowStatements classes = {
        QStringLiteral("SELECT id, name FROM classes WHERE teacher_id = ?"),
        QStringLiteral("SELECT id FROM classes WHERE teacher_id = ? AND name = ?"),
        QStringLiteral("SELECT COALESCE(MAX(position), -1) + 1 FROM classes WHERE teacher_id = ?"),
        QStringLiteral(
            "INSERT INTO classes (teacher_id, name, position) VALUES (?, ?, ?) RETURNING id"),
        QStringLiteral("UPDATE classes SET position = ? WHERE id = ?"),
        QStringLiteral("UPDATE classes SET name = ? WHERE id = ?"),
        QStringLiteral("DELETE FROM classes WHERE id = ?"),
    };
    static const NamedRowStatements students = {
        QStringLiteral("SELECT id, name FROM students WHERE class_id = ?"),
        QStringLiteral("SELECT id FROM students WHERE class_id = ? AND name = ?"),
        QStringLiteral("SELECT COALESCE(MAX(position), -1) + 1 FROM students WHERE class_id = ?"),
        QStringLiteral(
            "INSERT INTO students (class_id, name, position) VALUES (?, ?, ?) RETURNING id"),
        QStringLiteral("UPDATE students SET position = ? WHERE id = ?"),
        QStringLiteral("UPDATE students SET name = ? WHERE id = ?"),
        QStringLiteral("DELETE FROM students WHERE id = ?"),
    };
    static const NamedRowStatements topics = {
        QStringLiteral("SELECT id, name FROM topics WHERE teacher_id = ?"),
        QStringLiteral("SELECT id FROM topics WHERE teacher_id = ? AND name = ?"),
        QStringLiteral("SELECT COALESCE(MAX(position), -1) + 1 FROM topics WHERE teacher_id = ?"),
        QStringLiteral(
            "INSERT INTO topics (teacher_id, name, position) VALUES (?, ?, ?) RETURNING id"),
        QStringLiteral("UPDATE topics SET position = ? WHERE id = ?"),
        QStringLiteral("UPDATE topics SET name = ? WHERE id = ?"),
        QStringLiteral("DELETE FROM topics WHERE id = ?"),
    };
    switch (table) {
    case NamedTable::Classes:
        return classes;
    case NamedTable::Students:
        return students;
    case NamedTable::Topics:
        break;
    }
    return topics;
}

} // namespace ordalis::service
