// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Students marked 缺席 on a day, per user and class: they are left out of every draw and the
// manual pick that day, and the quick pick finds them only to say so, until the mark is taken
// off. Kept in the data folder by day, so that a restart keeps them and the history judges
// each day's draws against those who were there.

#include "session/FileWrite.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace ordalis {

class AbsentMarks {
public:
    explicit AbsentMarks(QString iniPath);

    // The students marked absent on `day`.
    QStringList names(const QString& user, const QString& className, const QDate& day) const;
    FileWrite set(const QString& user, const QString& className, const QString& name, bool absent,
                  const QDate& day);

private:
    QString m_iniPath;
};

} // namespace ordalis
