// SPDX-License-Identifier: GPL-3.0-or-later
#include "status/ClassTimer.h"
#include "status/StartupChecks.h"
#include "text/WireText.h"

#include <QTest>
#include <QTimeZone>

using namespace ordalis;

class StatusChecksTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstTickOnlyRunsTheChecks() {
        ClassTimer timer;
        QVERIFY(timer.tick());
        QVERIFY(!timer.tick());
        for (int i = 0; i < 40000; ++i)
            QVERIFY(!timer.tick());
    }

    void displaysFreezeAndRestart() {
        ClassTimer timer;
        timer.toggle();
        for (int i = 0; i < 65; ++i)
            timer.tick();
        QCOMPARE(timer.clockText(), QStringLiteral("00:01:05"));
        QCOMPARE(timer.minuteText(), QStringLiteral("01:05"));
        timer.toggle();
        QVERIFY(!timer.running());
        timer.toggle();
        QCOMPARE(timer.seconds(), 0);
        timer.tick();
        QCOMPARE(timer.clockText(), QStringLiteral("00:00:01"));
        QCOMPARE(timer.minuteText(), QStringLiteral("00:01"));
    }

    void minutesRestartEachHourAndCountStopsAtMaximum() {
        ClassTimer timer;
        timer.toggle();
        for (int i = 0; i < 3605; ++i)
            timer.tick();
        QCOMPARE(timer.clockText(), QStringLiteral("01:00:05"));
        QCOMPARE(timer.minuteText(), QStringLiteral("00:05"));
        for (int i = 0; i < 40000; ++i)
            timer.tick();
        QCOMPARE(timer.seconds(), ClassTimer::MaxSeconds);
        QCOMPARE(timer.clockText(), QStringLiteral("09:06:07"));
        QCOMPARE(timer.minuteText(), QStringLiteral("06:07"));
    }

    void clockWarningBeyondFiveMinutes_data() {
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<bool>("warned");
        QTest::newRow("301 s behind") << qint64(301) << true;
        QTest::newRow("300 s behind") << qint64(300) << false;
        QTest::newRow("300 s ahead") << qint64(-300) << false;
        QTest::newRow("301 s ahead") << qint64(-301) << true;
        QTest::newRow("same") << qint64(0) << false;
    }

    // The service sends Unix seconds; the computer's time is compared as an absolute moment,
    // whatever its time zone.
    void clockWarningBeyondFiveMinutes() {
        QFETCH(qint64, offset);
        QFETCH(bool, warned);
        const qint64 service = 1700000000;
        for (const QTimeZone& zone :
             {QTimeZone("Asia/Shanghai"), QTimeZone("America/New_York"), QTimeZone::utc()}) {
            const QDateTime now = QDateTime::fromSecsSinceEpoch(service - offset, zone);
            QCOMPARE(clockWarning(QString::number(service), now).has_value(), warned);
        }
    }

    // A service on this computer's wall-clock scale, 8 hours off Unix time on a UTC clock, is
    // a wrong clock: only the absolute moment counts.
    void wallClockSecondsAreNoAbsoluteTime() {
        const QDateTime now = QDateTime::fromSecsSinceEpoch(1700000000, QTimeZone::utc());
        const qint32 wall = dateToSeconds(now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        QVERIFY(clockWarning(QString::number(wall), now).has_value());
    }

    void clockWarningText() {
        const QDateTime now = QDateTime::fromSecsSinceEpoch(1700000000 - 3600);
        const auto warning = clockWarning(QStringLiteral("1700000000\r\n"), now);
        QVERIFY(warning.has_value());
        const QStringList lines = warning->split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("时间错误，请修改后确定！"));
        QCOMPARE(lines[1], QStringLiteral("服务器时间:2023-11-15 06:13:20"));
        QVERIFY(lines[2].startsWith(QStringLiteral("本电脑时间:")));
        QVERIFY(lines[2].contains(now.time().toString(QStringLiteral("H:mm:ss"))));
    }

    void replyThatIsNoTimePassesSilently() {
        const QDateTime farAway = QDateTime::fromSecsSinceEpoch(2000000000);
        for (const QString& reply : {QStringLiteral("0"), QStringLiteral("服务器忙"), QString(),
                                     QStringLiteral("1363276800"), QStringLiteral("1000000000"),
                                     QStringLiteral("99999999999999")})
            QVERIFY2(!clockWarning(reply, farAway).has_value(), qPrintable(reply));
        QVERIFY(clockWarning(QStringLiteral("1363276801"), farAway).has_value());
    }

    void offeredVersionNeedsThePrefix() {
        QCOMPARE(offeredVersion(QStringLiteral("Tumbrel:  2.8  ")), QStringLiteral("2.8"));
        QCOMPARE(offeredVersion(QStringLiteral("Tumbrel:")), QString());
        QVERIFY(!offeredVersion(QStringLiteral("2.8")).has_value());
        QVERIFY(!offeredVersion(QStringLiteral(" Tumbrel:2.8")).has_value());
    }
};

QTEST_GUILESS_MAIN(StatusChecksTest)
#include "tst_status_checks.moc"
