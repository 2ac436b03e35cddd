// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's readings of the service's score and standard lists, whose lines the pages
// keep whole (identifiers included), show in columns and open in their edit boxes.

#include <QString>
#include <QStringList>

namespace ordalis::console {

// A column of the console's score and standard lists: its header and what it shows of a line.
// The identifiers the service sends stay out of sight.
struct ListColumn {
    QString header;
    QString (*text)(const QString& line) = nullptr;
};
// What a list page knows of its lines: the columns, the identifier a deletion names, and the
// values of the edit box in the box's order (a short line fills the rest with empty values).
struct ListLines {
    QList<ListColumn> columns;
    QString (*id)(const QString& line) = nullptr;
    QStringList (*editValues)(const QString& line) = nullptr;
};
// A getscore line: identifier, student, score, time, topic, standard (remark).
ListLines scoreLines();
// A getscale line: identifier, standard, score.
ListLines standardLines();

// The text of a score box as the service gets it: the number the text begins with, in its
// shortest form (3.50 gives 3.5, "5分" gives 5, letters give 0).
QString numberText(QStringView text);

} // namespace ordalis::console
