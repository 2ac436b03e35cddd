// SPDX-License-Identifier: GPL-3.0-or-later
// Which backups the rotation keeps, as a table of dates: the newest of each of the last 7 days,
// 4 ISO weeks and 12 months that have one, and the 3 newest copies made before a restore or an
// upgrade beside them.
#include "backups/BackupRotation.h"

#include <QtTest>

using namespace ordalis;

namespace {

// "2026-12-01-0800" and the like, as backup file names.
QStringList fileNames(const QStringList& stems) {
    QStringList names;
    for (const QString& stem : stems)
        names << QStringLiteral("ordalis-%1.sqlite").arg(stem);
    return names;
}

QStringList everyDay(const QDate& from, const QDate& to) {
    QStringList stems;
    for (QDate day = from; day <= to; day = day.addDays(1))
        stems << day.toString(QStringLiteral("yyyy-MM-dd-0800"));
    return stems;
}

} // namespace

class BackupRotationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsTheNewestOfEachPeriod_data() {
        QTest::addColumn<QStringList>("backups");
        QTest::addColumn<QStringList>("kept");

        QTest::newRow("the newest of a day")
            << fileNames({"2026-12-01-0800", "2026-12-01-1700", "2026-12-02-0800"})
            << fileNames({"2026-12-02-0800", "2026-12-01-1700"});
        QTest::newRow("two in one minute") << fileNames({"2026-12-09-0815", "2026-12-09-0815-2"})
                                           << fileNames({"2026-12-09-0815-2"});
        // Tuesday 1 December is in the week of Sunday the 6th, which stands for it.
        QTest::newRow("the eighth day back goes")
            << fileNames(everyDay({2026, 12, 1}, {2026, 12, 8}))
            << fileNames(everyDay({2026, 12, 2}, {2026, 12, 8}));
        // Days 2 to 8 December (the 6th, a Sunday, also for its week), Monday 30 November for
        // its month, the Sundays 29 and 22 November for their weeks; the week of the 13th is the
        // fifth back.
        QTest::newRow("weeks after the days")
            << fileNames(QStringList{"2026-11-13-0800"} + everyDay({2026, 11, 20}, {2026, 12, 8}))
            << fileNames(everyDay({2026, 12, 2}, {2026, 12, 8}) +
                         QStringList{"2026-11-30-0800", "2026-11-29-0800", "2026-11-22-0800"});
        QStringList twoYears;
        for (int month = 0; month < 24; ++month)
            twoYears << QDate(2025, 1, 15).addMonths(month).toString("yyyy-MM-dd-0800");
        QTest::newRow("twelve months") << fileNames(twoYears) << fileNames(twoYears.mid(12));
        QTest::newRow("set aside before a restore or an upgrade")
            << fileNames({"2026-12-08-0800", "2026-12-08-0900-before-upgrade",
                          "2026-12-08-1000-before-restore", "2026-12-08-1001-before-restore",
                          "2026-12-08-1002-before-restore", "2026-12-08-1003-before-restore",
                          "2026-12-08-1200"})
            << fileNames({"2026-12-08-1200", "2026-12-08-1003-before-restore",
                          "2026-12-08-1002-before-restore", "2026-12-08-1001-before-restore"});
    }

    void keepsTheNewestOfEachPeriod() {
        QFETCH(QStringList, backups);
        QFETCH(QStringList, kept);
        QList<BackupName> names;
        for (const QString& file : std::as_const(backups)) {
            const auto name = BackupName::parse(file);
            QVERIFY2(name && name->fileName() == file, qPrintable(file));
            names << *name;
        }
        QStringList survivors;
        for (const BackupName& name : keptBackups(names))
            survivors << name.fileName();
        std::sort(kept.begin(), kept.end(), std::greater<>());
        std::sort(survivors.begin(), survivors.end(), std::greater<>());
        QCOMPARE(survivors, kept);
    }
};

QTEST_GUILESS_MAIN(BackupRotationTest)
#include "tst_backup_rotation.moc"
