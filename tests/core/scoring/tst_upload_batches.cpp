// SPDX-License-Identifier: GPL-3.0-or-later
// What one upload sends: batches whose answer never came go again whole, under their ids, and
// nothing is in two batches.

#include "scoring/UploadBatches.h"

#include <QtTest>

using namespace ordalis;

class UploadBatchesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unansweredBatchesGoAgainWhole() {
        const UploadBatch scores{QStringLiteral("a"), {"l1", "l2"}, {"c1"}};
        const UploadBatch otherScores{QStringLiteral("b"), {"l3"}, {}};
        const UploadBatch callsAlone{QStringLiteral("c"), {}, {"c2"}};
        // l1 selected: its batch goes whole (l2 and c1 with it); l3 is not selected, so its
        // batch waits; the calls-only batch always goes; l4 and the new call c3 go as new.
        const QList<UploadBatch> plan =
            planUpload({scores, otherScores, callsAlone}, {"l1", "l4"}, {"c1", "c2", "c3"});
        QCOMPARE(plan.size(), 3);
        QCOMPARE(plan[0], scores);
        QCOMPARE(plan[1], callsAlone);
        QCOMPARE(plan[2].lines, QStringList{"l4"});
        QCOMPARE(plan[2].calls, QStringList{"c3"});
        QCOMPARE(plan[2].id.size(), 32);
        QCOMPARE(readBatchLines(batchLines(plan)), plan);
    }
};

QTEST_GUILESS_MAIN(UploadBatchesTest)
#include "tst_upload_batches.moc"
