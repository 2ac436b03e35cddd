// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The count each student of a class started the term at for 轮流, per user and class: the
// students the term found at 0, one who joined later at the class's fewest count then. Kept
// in the data folder, so that a newcomer keeps the start over the lessons of the term. One
// program uses a data folder: what it read or wrote is kept in memory, and a class chosen
// again does not read the file again.

#include "session/FileWrite.h"

#include <QDate>
#include <QHash>
#include <QString>

namespace ordalis {

class TurnStarts {
public:
    explicit TurnStarts(QString iniPath);

    // The starts kept for the term that began on `termStart`; none for another term.
    QHash<QString, int> read(const QString& user, const QString& className,
                             const QDate& termStart) const;
    // Replaces the class's starts, and the term they are of.
    FileWrite write(const QString& user, const QString& className, const QDate& termStart,
                    const QHash<QString, int>& starts);

private:
    struct Kept {
        QDate termStart;
        QHash<QString, int> starts;
    };

    QString m_iniPath;
    mutable QHash<QString, Kept> m_kept; // by user and class
};

} // namespace ordalis
