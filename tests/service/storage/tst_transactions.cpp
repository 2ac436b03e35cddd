// SPDX-License-Identifier: GPL-3.0-or-later
// Transactions on SQLite and the disk: a bookkeeping write (a counted failure) commits without
// waiting for the disk, and every other commit on the connection waits for it again, whether
// the bookkeeping was committed or rolled back.

#include "storage/Database.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ordalis::service;

class TransactionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyBookkeepingSkipsTheSync() {
        QTemporaryDir dir;
        Database database(dir.filePath(QStringLiteral("t.sqlite")));
        const ordalis::Expected<> opened = database.open();
        QVERIFY2(opened, qPrintable(opened.why()));
        QSqlDatabase db = database.connection();
        auto synchronous = [&] {
            return sqlValue(db, QStringLiteral("PRAGMA synchronous")).value_or(-1).toInt();
        };
        const int full = 2, off = 0;
        QCOMPARE(synchronous(), full);
        {
            Transaction counted(database, db, Transaction::Bookkeeping);
            QCOMPARE(synchronous(), off);
            sqlRun(db, QStringLiteral("INSERT INTO failed_attempts (subject, at) VALUES ('a', 1)"));
            counted.commit();
        }
        QCOMPARE(synchronous(), full);
        {
            Transaction abandoned(database, db, Transaction::Bookkeeping);
            sqlRun(db, QStringLiteral("INSERT INTO failed_attempts (subject, at) VALUES ('b', 1)"));
        }
        QCOMPARE(synchronous(), full);
        Transaction write(database, db);
        QCOMPARE(synchronous(), full);
        write.commit();
        QCOMPARE(sqlValue(db, QStringLiteral("SELECT group_concat(subject) FROM failed_attempts"))
                     ->toString(),
                 QStringLiteral("a"));
    }
};

QTEST_GUILESS_MAIN(TransactionTest)
#include "tst_transactions.moc"
