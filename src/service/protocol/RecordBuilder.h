// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher record as the program reads it: GB18030 text, CR LF line ends, fields split by TAB.

#include <QByteArray>
#include <QSqlDatabase>

namespace ordalis::service {

// "Class_Is_Ready" TAB each class TAB; one "[keti]" line per topic with its standards as
// text/score pairs; one line per student: class, name, group, total, average, count.
QByteArray buildRecord(const QSqlDatabase& db, qint64 teacherId);

// The average as the record shows it: total / count rounded to two places, "0" for no score.
QString averageText(double total, qint64 count);

} // namespace ordalis::service
