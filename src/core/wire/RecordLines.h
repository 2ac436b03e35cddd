// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of the teacher record, as record.php sends it and "ServerRec.dmd" keeps it: the
// class list, one line per topic with its standards, one line per student. Fields are joined
// by TAB; which lines a reader takes (by their first field, their field count) is the reader's.

#include "LineFields.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis {

// "Class_Is_Ready" TAB, then each class followed by a TAB.
struct ClassListLine {
    static inline const QString Marker = QStringLiteral("Class_Is_Ready");

    QStringList classes;

    QString toText() const;
    // The fields between the first and the last: what follows the last TAB is the line's end,
    // never a class.
    static ClassListLine fromText(const QString& line);
};

struct ScaleStandard {
    QString text;
    QString score; // a decimal number written as text
};

// "[keti]" TAB name, then TAB text TAB score for each standard.
struct TopicLine {
    static inline const QString Marker = QStringLiteral("[keti]");

    QString name;
    QList<ScaleStandard> standards;

    QString toText() const;
    // Nothing for a line of one field. Fields 2, 3 / 4, 5 / ... are the standards; an odd last
    // field (the empty one after a final TAB) has no partner and is no standard.
    static std::optional<TopicLine> fromText(const QString& line);
};

// class, name, group, total, average, count: every field as written.
struct StudentLine {
    static constexpr qsizetype Fields = 6;

    QString className;
    QString name;
    QString group;
    QString total;     // carried but never interpreted
    QString scoreText; // the average score
    QString countText; // how often scored

    QString toText() const {
        return QStringList{className, name, group, total, scoreText, countText}.join(u'\t');
    }
    // Splits at TAB; missing fields are empty, extra fields are ignored.
    static StudentLine fromText(const QString& line) {
        return readFields<StudentLine, Fields>(line);
    }
};

} // namespace ordalis
