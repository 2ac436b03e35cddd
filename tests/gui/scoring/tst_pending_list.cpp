// SPDX-License-Identifier: GPL-3.0-or-later
// The upload panel's pending list: lines kept as they came, under the columns' headers, and a
// line taken away as the score it is, wherever it stands.

#include "scoring/UploadPanel.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

using namespace ordalis;

class PendingListTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pendingLinesAreScores() {
        UploadPanel panel;
        const QStringList lines{"一\t甲\t1分\tt1\t", "一\t乙\t2", "一\t丙\t3分\tt3\t标"};
        panel.setPendingLines(lines);
        QCOMPARE(panel.pendingLines(), lines);
        QCOMPARE(panel.selectedLines(), lines);

        const auto* view = panel.findChild<QTableView*>(QStringLiteral("List4"));
        QVERIFY(view && !view->horizontalHeader()->isHidden());
        QCOMPARE(view->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("学生"));
        QCOMPARE(view->model()->index(2, 4).data().toString(), QStringLiteral("标"));

        // The middle line in its padded form is the same score.
        panel.removeLines({QStringLiteral("一\t乙\t2\t\t")});
        QCOMPARE(panel.pendingLines(), (QStringList{lines[0], lines[2]}));
    }
};

QTEST_MAIN(PendingListTest)
#include "tst_pending_list.moc"
