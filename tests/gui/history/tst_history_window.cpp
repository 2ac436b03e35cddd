// SPDX-License-Identifier: GPL-3.0-or-later
// The history window of a class of 45 away from the service: it says what it lacks and the
// spread of the calls, the fairness chart names every student with a tooltip of the counts, and
// each day's scores stand on that day's label.

#include "Screenshots.h"
#include "draw/DrawFairness.h"
#include "history/HistoryWindow.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "session/Session.h"
#include "wire/ScoreLine.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QToolTip>
#include <QValueAxis>
#include <QtTest>

using namespace ordalis;

namespace {

const QString ClassName = QStringLiteral("一班");

template <typename T> T* child(QWidget* window, const char* name) {
    auto* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

QAbstractAxis* axisAt(QChart* chart, Qt::Alignment side) {
    for (QAbstractAxis* axis : chart->axes())
        if (axis->alignment() == side)
            return axis;
    return nullptr;
}

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offlineClassOf45() {
        QStringList roster;
        for (int i = 1; i <= 45; ++i)
            roster << QStringLiteral("学生%1号").arg(i, 2, 10, QLatin1Char('0'));
        // A week of lessons ending three days ago: one score a day, the first student called
        // every day.
        const QDate first = QDate::currentDate().addDays(-9);
        QStringList scores;
        QStringList calls;
        for (int day = 0; day < 7; ++day) {
            const QString time =
                first.addDays(day).toString(Qt::ISODate) + QStringLiteral(" 23:30:00");
            scores << ScoreLine{ClassName, roster[day], QStringLiteral("%1分").arg(day), time, {}}
                          .toText();
            calls << QStringList{ClassName, roster[0], time, QStringLiteral("所有")}.join(u'\t');
        }
        HistoryWindow::Sources sources;
        sources.roster = [&](const QString&) { return roster; };
        sources.pendingScores = [&] { return scores; };
        sources.pendingCalls = [&] { return calls; };
        sources.online = [] { return false; };
        QTemporaryDir folder;
        ServiceConfig config;
        Session session;
        ServiceEndpoints endpoints(config, session);
        HistoryWindow window(endpoints, sources, folder.filePath(QStringLiteral("history.ini")));
        window.resize(1366, 768);
        window.show();
        window.showClass(ClassName);
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QVERIFY(child<QLabel>(&window, "lblOffline")->isVisible());
        QCOMPARE(child<QLabel>(&window, "lblCallSpread")->text(),
                 QStringLiteral("本学期被点次数：最少 0 次，最多 7 次"));

        // Every name in full under its bar; the tooltip of a bar gives name and counts.
        QChart* fairness = child<QChartView>(&window, "chartFairness")->chart();
        auto* names = qobject_cast<QBarCategoryAxis*>(axisAt(fairness, Qt::AlignBottom));
        QVERIFY(names);
        QCOMPARE(names->categories().mid(1, roster.size()), roster);
        QCOMPARE(names->labelsAngle(), -90);
        QVERIFY(!names->labelsTruncated());
        QBarSet* drawn = qobject_cast<QBarSeries*>(fairness->series().value(0))->barSets().value(0);
        Q_EMIT drawn->hovered(true, 1);
        QCOMPARE(QToolTip::text(), drawCountText(roster[0], 7, 7.0 / 45));

        // The scores chart: each point on the label of its day.
        QChart* scoresChart = child<QChartView>(&window, "chartScores")->chart();
        auto* days = qobject_cast<QCategoryAxis*>(axisAt(scoresChart, Qt::AlignBottom));
        QVERIFY(days);
        const auto* mean = qobject_cast<QLineSeries*>(scoresChart->series().value(0));
        QCOMPARE(mean->count(), 7);
        for (int day = 0; day < 7; ++day) {
            const QString label = first.addDays(day).toString(QStringLiteral("MM-dd"));
            QVERIFY2(days->categoriesLabels().contains(label), qPrintable(label));
            QCOMPARE(mean->at(day), QPointF(days->endValue(label), day));
        }
        // The highest mean stands below the top edge, not cut in half by it.
        QVERIFY(qobject_cast<QValueAxis*>(axisAt(scoresChart, Qt::AlignLeft))->max() > 6);
        for (const QSize size : {QSize(1366, 768), QSize(1920, 1080)}) {
            window.resize(size);
            test::saveScreenshot(
                &window,
                QStringLiteral("history_45_students_%1x%2").arg(size.width()).arg(size.height()));
        }
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "tst_history_window.moc"
