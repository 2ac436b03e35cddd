// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Students marked 缺席 for today, per user and class: they are left out of every draw, the
// quick pick and the manual pick until the date changes or the mark is taken off. Kept in the
// data folder, so that a restart keeps them.

#include "session/FileWrite.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace ordalis {

class AbsentMarks {
public:
    explicit AbsentMarks(QString iniPath);

    // The students marked absent on `day` (today, as a rule); marks of other days are none.
    QStringList names(const QString& user, const QString& className, const QDate& day) const;
    FileWrite set(const QString& user, const QString& className, const QString& name, bool absent,
                  const QDate& day);

private:
    QString m_iniPath;
};

} // namespace ordalis
