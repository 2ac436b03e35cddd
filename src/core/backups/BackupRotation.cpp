// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackupRotation.h"

#include <QSet>
#include <algorithm>
#include <functional>

namespace ordalis {
namespace {

// One period of the rotation: a backup is kept when it is the newest of its period and its
// period is among the last `count` periods that have a backup.
struct Periods {
    int count;
    std::function<qint64(const QDate&)> of;
    QSet<qint64> seen;

    bool keeps(const QDate& day) {
        const qint64 period = of(day);
        if (seen.contains(period) || seen.size() >= count)
            return false;
        seen.insert(period);
        return true;
    }
};

qint64 isoWeek(const QDate& day) {
    int year = 0;
    const int week = day.weekNumber(&year);
    return qint64(year) * 100 + week;
}

} // namespace

QList<BackupName> keptBackups(QList<BackupName> backups, const RotationRule& rule) {
    std::sort(backups.begin(), backups.end(),
              [](const BackupName& a, const BackupName& b) { return b.isOlderThan(a); });
    Periods days{rule.days, [](const QDate& day) { return day.toJulianDay(); }, {}};
    Periods weeks{rule.weeks, isoWeek, {}};
    Periods months{
        rule.months, [](const QDate& day) { return qint64(day.year()) * 12 + day.month(); }, {}};
    int setAside = 0;
    QList<BackupName> kept;
    for (const BackupName& backup : std::as_const(backups)) {
        bool keep = false;
        if (backup.occasion != BackupOccasion::Regular) {
            keep = setAside++ < rule.setAside;
        } else {
            const QDate day = backup.taken.date();
            // All three are asked, without a short cut: the newest backup of a week is that
            // week's copy also when its day keeps it already.
            const bool daily = days.keeps(day);
            const bool weekly = weeks.keeps(day);
            const bool monthly = months.keeps(day);
            keep = daily || weekly || monthly;
        }
        if (keep)
            kept.append(backup);
    }
    return kept;
}

} // namespace ordalis
