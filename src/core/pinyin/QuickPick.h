// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quick-pick filter: the students of the class whose name contains the typed text or whose
// pinyin initials contain it upper-cased, each with the figures of its record line; a student
// marked absent today whom the text finds gets a line saying so rather than no match.

#include "wire/RecordLines.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace ordalis {

// A student's first record line (class TAB name TAB ...), all empty when there is none.
using StudentLineLookup = std::function<StudentLine(const QString& name)>;

// name TAB "[" count "次," score "分]"; a student without a record line shows empty figures.
QString quickPickLine(const QString& name, const StudentLine& recordLine);

// The names of a class with their initials, worked out once when the class is chosen so that
// a keystroke only compares text.
struct QuickPickIndex {
    struct Names {
        QStringList names;
        QStringList initials;
        // Those of the names that the typed text finds, in their order.
        QList<qsizetype> found(const QString& typed) const;
    };
    Names present;
    Names absent; // marked 缺席 today

    QuickPickIndex() = default;
    explicit QuickPickIndex(const QStringList& presentNames, const QStringList& absentNames = {});
};

// The result lines for the typed text over the class in roster order: matches as long as the
// typed text go to the top (the last of them first), the others follow in class order.
QStringList quickPickLines(const QuickPickIndex& index, const QString& typed,
                           const StudentLineLookup& lookup);

// The lines for the absent students the typed text finds: "王五今天缺席".
QStringList quickPickAbsentLines(const QuickPickIndex& index, const QString& typed);

// The row that Enter in the search box calls: the selected one, or else the only match; -1
// when there are several and none is selected, so Enter selects the first for a second Enter.
int quickPickEnterRow(int lineCount, int selectedRow);

// The name of a result line (the text before the first TAB).
QString quickPickName(const QString& line);

} // namespace ordalis
