// SPDX-License-Identifier: GPL-3.0-or-later
#include "TermStart.h"

#include <QSettings>

namespace ordalis {

QDate readTermStart(const QString& settingsIni, const QDate& today) {
    const QDate usual = today.month() >= 9   ? QDate(today.year(), 9, 1)
                        : today.month() >= 2 ? QDate(today.year(), 2, 1)
                                             : QDate(today.year() - 1, 9, 1);
    return QSettings(settingsIni, QSettings::IniFormat).value(TermStartKey, usual).toDate();
}

} // namespace ordalis
