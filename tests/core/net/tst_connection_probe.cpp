// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ConnectionProbe.h"

#include <QTest>

using namespace ordalis;

class ConnectionProbeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loopbackHosts_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("loopback");
        QTest::newRow("127.0.0.1") << "http://127.0.0.1:8080" << true;
        QTest::newRow("127.x") << "http://127.3.2.1/" << true;
        QTest::newRow("localhost") << "http://LocalHost:80/ordalis" << true;
        QTest::newRow("::1") << "http://[::1]:9000" << true;
        QTest::newRow("lan") << "http://192.168.1.20/" << false;
        QTest::newRow("name") << "https://scores.school.example" << false;
        QTest::newRow("localhost lookalike") << "http://localhost.example.com" << false;
        QTest::newRow("empty") << "" << false;
    }

    void loopbackHosts() {
        QFETCH(QString, url);
        QFETCH(bool, loopback);
        QCOMPARE(isLoopbackUrl(QUrl(url)), loopback);
    }

    // The embedded service is reachable without any network link; a school's needs one.
    void embeddedServiceNeedsNoLink() {
        bool linkUp = false;
        const auto link = [&linkUp] { return linkUp; };
        const ConnectionProbe embedded(QUrl("http://127.0.0.1:4000"), link);
        const ConnectionProbe school(QUrl("http://10.0.0.5"), link);
        QVERIFY(embedded.connected());
        QVERIFY(!school.connected());
        linkUp = true;
        QVERIFY(school.connected());
    }
};

QTEST_GUILESS_MAIN(ConnectionProbeTest)
#include "tst_connection_probe.moc"
