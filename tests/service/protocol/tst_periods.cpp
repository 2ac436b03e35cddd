// SPDX-License-Identifier: GPL-3.0-or-later
// Every period the service keeps holds to its last second and ends right after: batch ids,
// kept deletions, check codes and the throttle's window, on a clock the test sets.

#include "ProtocolFixture.h"
#include "protocol/DeletedItems.h"

#include <QDir>
#include <QSqlQuery>
#include <functional>

using namespace ordalis::service;
using namespace ordalis::service::test;

namespace {

constexpr qint64 Start = 1'900'000'000; // some day in 2030
constexpr qint64 Day = 24 * 3600;

struct Period {
    const char* name;
    qint64 seconds;
    // Makes the promise at Start; then, at a later time, whether it still holds.
    std::function<void(AliceFixture&)> make;
    std::function<bool(AliceFixture&)> holds;
};

const QString Batch = QStringLiteral("&batch=0123456789abcdef0123456789abcdef");
const QString Line = QStringLiteral("一班\t张三\t5分\t2024-03-15 08:01:02\t");

int storedScores(AliceFixture& f) {
    return f.scores(QStringLiteral("一班")).count(u'张');
}

qint64 aliceId(AliceFixture& f) {
    QSqlQuery query(f.database->connection());
    query.exec(QStringLiteral("SELECT id FROM teachers WHERE account = 'alice'"));
    return query.next() ? query.value(0).toLongLong() : -1;
}

// The code of the newest check-code mail.
QString mailedCode(AliceFixture& f) {
    const QDir folder(f.dir.filePath(QStringLiteral("mail")));
    const QFileInfoList mails = folder.entryInfoList(QDir::Files, QDir::Time);
    QFile mail(mails.value(0).filePath());
    if (!mail.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(mail.readAll()).section(QStringLiteral("验证码是："), 1).left(6);
}

QString reset(AliceFixture& f, const QString& code) {
    return f.text(
        f.post("/setpassword.php",
               QStringLiteral("username=alice&checkcode=%1&newpswd=new&newsuperpswd=").arg(code)));
}

const QList<Period>& periods() {
    static const QList<Period> table = {
        {"a batch id keeps a sent-again upload from being stored twice", 60 * Day,
         [](AliceFixture& f) { f.upload(QStringLiteral("函数"), {Line + Batch}); },
         [](AliceFixture& f) {
             f.upload(QStringLiteral("函数"), {Line + Batch});
             return storedScores(f) == 1;
         }},
        {"a deleted class is kept to be restored", 30 * Day,
         [](AliceFixture& f) { f.change("/setclass.php", QStringLiteral("&class=一班")); },
         [](AliceFixture& f) {
             // A later deletion is when older ones are cleared away.
             f.change("/setketi.php", QStringLiteral("&keti=函数"));
             const auto items = deletedItemsOf(f.database->connection(), aliceId(f),
                                               f.protocol->context().clock.now());
             return std::any_of(items.cbegin(), items.cend(), [](const DeletedItem& item) {
                 return item.name == QStringLiteral("二班");
             });
         }},
        {"a mailed check code resets the password", 30 * 60,
         [](AliceFixture& f) {
             f.get("/getpswdcode.php", QStringLiteral("username=alice&email=t@example.com"));
         },
         [](AliceFixture& f) { return reset(f, mailedCode(f)) == QLatin1String("success"); }},
        {"failed logins stop the right one", 15 * 60,
         [](AliceFixture& f) {
             for (int i = 0; i < 10; ++i)
                 f.post("/checkpassword.php", QStringLiteral("username=alice&password=guess"));
         },
         [](AliceFixture& f) {
             return f.text(f.post("/checkpassword.php", QStringLiteral("username=alice&password=") +
                                                            AliceFixture::Login)) != DoneText;
         }},
    };
    return table;
}

} // namespace

class PeriodsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void holdToTheirLastSecondAndEndAfterIt() {
        for (const Period& period : periods()) {
            // A fresh service for each side: looking at a promise may use it up (a code).
            for (const qint64 offset : {period.seconds - 1, period.seconds + 1}) {
                qint64 now = Start;
                AliceFixture f({}, {}, Clock([&now] { return now; }));
                QVERIFY(f.ready);
                period.make(f);
                now = Start + offset;
                const bool inside = offset < period.seconds;
                QVERIFY2(period.holds(f) == inside,
                         qPrintable(QStringLiteral("%1, %2 s after: %3")
                                        .arg(QLatin1String(period.name))
                                        .arg(offset)
                                        .arg(inside ? "ended early" : "still holds")));
            }
        }
    }
};

QTEST_GUILESS_MAIN(PeriodsTest)
#include "tst_periods.moc"
