// SPDX-License-Identifier: GPL-3.0-or-later
// The service as the desktop program runs it: inside the process, started, stopped and started
// again on the same database, with the demo account.

#include "DemoAccount.h"
#include "ScoreService.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QByteArray fetch(const QString& url) {
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(url)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    return body;
}

} // namespace

class EmbeddedServiceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void demoAccountSurvivesARestart() {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("embedded.sqlite"));
        ordalis::ScoreService service;
        const ordalis::Expected<> started = service.start(database);
        QVERIFY2(started, qPrintable(started.why()));
        QVERIFY(service.port() != 0);
        QCOMPARE(service.baseUrl(), QStringLiteral("http://127.0.0.1:%1").arg(service.port()));
        QVERIFY(service.createDemoAccount());
        QVERIFY(service.createDemoAccount()); // already there: nothing to do

        const QString recordUrl =
            QStringLiteral("/record.php?t=%1&mp=%2")
                .arg(QLatin1String(ordalis::service::DemoAccountName),
                     ordalis::md5Hex(QLatin1String(ordalis::service::DemoLoginPassword)));
        const QString record = ordalis::gb18030::decode(fetch(service.baseUrl() + recordUrl));
        QVERIFY(record.startsWith(QStringLiteral("Class_Is_Ready\t初一(1)班\t初一(2)班\t\r\n")));
        QCOMPARE(record.count(QStringLiteral("\r\n初一(1)班\t")), 40);
        QCOMPARE(record.count(QStringLiteral("\r\n初一(2)班\t")), 40);
        QCOMPARE(record.count(QStringLiteral("[keti]\t")), 3);
        QVERIFY(record.contains(QStringLiteral("\t1\r\n"))); // some students have a score

        service.stop();
        QCOMPARE(service.port(), quint16(0));
        QVERIFY(fetch(QStringLiteral("http://127.0.0.1:1") + recordUrl).isEmpty());
        QVERIFY(service.start(database));
        QCOMPARE(ordalis::gb18030::decode(fetch(service.baseUrl() + recordUrl)), record);
    }

    void aTakenAddressIsReported() {
        QTemporaryDir dir;
        ordalis::ScoreService first;
        QVERIFY(first.start(dir.filePath(QStringLiteral("a.sqlite"))));
        ordalis::ScoreService second;
        const ordalis::Expected<> taken =
            second.start(dir.filePath(QStringLiteral("b.sqlite")),
                         QStringLiteral("127.0.0.1:%1").arg(first.port()));
        QVERIFY(!taken);
        QVERIFY(!taken.why().isEmpty());
        const ordalis::Expected<> nonsense =
            second.start(dir.filePath(QStringLiteral("b.sqlite")), QStringLiteral("nonsense"));
        QVERIFY(nonsense.why().contains(QStringLiteral("nonsense")));
    }
};

QTEST_GUILESS_MAIN(EmbeddedServiceTest)
#include "tst_embedded_service.moc"
