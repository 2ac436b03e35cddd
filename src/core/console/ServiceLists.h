// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's readings of the service's text replies: the teacher's account data, and the
// score and standard lists whose lines the pages show whole and open in their edit boxes.

#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis::console {

struct TeacherData {
    QString name;
    QString account;
    QString email;
};

// The getteacher reply: exactly three lines separated by CR LF (name, account, e-mail). Any
// other shape, a trailing CR LF included, gives nothing.
std::optional<TeacherData> readTeacherData(const QString& reply);

// A column of the console's score and standard lists: its header and the line field it shows.
// The identifiers the service sends first stay out of sight.
struct ListColumn {
    QString header;
    int field = 0;
};
// A score line: identifier, student, score, time, topic, standard (remark).
QList<ListColumn> scoreColumns();
// A standard line: identifier, standard, score.
QList<ListColumn> standardColumns();

// The lines of a getscore or getscale reply: the non-empty pieces between CR LF.
QStringList replyLines(const QString& reply);

// The TAB fields of a list line, padded with empty fields to `count`, so that an edit box
// fills every one of its boxes from a short line.
QStringList lineFields(const QString& line, int count);

// The text of a score box as the service gets it: the number the text begins with, in its
// shortest form (3.50 gives 3.5, "5分" gives 5, letters give 0).
QString numberText(QStringView text);

} // namespace ordalis::console
