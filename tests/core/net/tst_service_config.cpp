// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program looks for its service: the per-user file, the command line over it, and
// the embedded service when nothing is configured.

#include "net/ServiceConfig.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ordalis;
using namespace std::chrono_literals;

class ServiceConfigTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nothingConfiguredMeansEmbeddedService();
    void readsSettingsFile();
    void brokenTimeoutInFileKeepsDefault();
    void argumentsOverrideFile();
    void badArgumentsChangeNothing_data();
    void badArgumentsChangeNothing();
    void userSettingsFileIsOrdalisIni();
};

void ServiceConfigTest::nothingConfiguredMeansEmbeddedService() {
    ServiceConfig config;
    QVERIFY(config.usesEmbeddedService());
    QCOMPARE(config.timeout(), 30000ms);

    // The program starts its service and hands over the address; the maker's pages and the
    // web console are served by the same service.
    config.setServiceBase("http://127.0.0.1:41234/");
    QVERIFY(!config.usesEmbeddedService());
    QCOMPARE(config.serviceBase(), "http://127.0.0.1:41234");
    QCOMPARE(config.makerSite(), "http://127.0.0.1:41234");
    QCOMPARE(config.webConsoleAddress(), "http://127.0.0.1:41234");
}

void ServiceConfigTest::readsSettingsFile() {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("ordalis.ini"), QSettings::IniFormat);
    settings.setValue("service/base", "http://school.example:8080/");
    settings.setValue("service/makerSite", "http://maker.example");
    settings.setValue("service/webConsole", "http://school.example:8080/console");
    settings.setValue("service/timeoutSeconds", "12.5");
    settings.sync();

    const ServiceConfig config = ServiceConfig::fromSettings(settings);
    QVERIFY(!config.usesEmbeddedService());
    QCOMPARE(config.serviceBase(), "http://school.example:8080");
    QCOMPARE(config.makerSite(), "http://maker.example");
    QCOMPARE(config.webConsoleAddress(), "http://school.example:8080/console");
    QCOMPARE(config.timeout(), 12500ms);
}

void ServiceConfigTest::brokenTimeoutInFileKeepsDefault() {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("ordalis.ini"), QSettings::IniFormat);
    for (const char* broken : {"abc", "0", "-3", "inf"}) {
        settings.setValue("service/timeoutSeconds", broken);
        QCOMPARE(ServiceConfig::fromSettings(settings).timeout(), ServiceConfig::DefaultTimeout);
    }
}

void ServiceConfigTest::argumentsOverrideFile() {
    ServiceConfig config;
    config.setServiceBase("http://school.example");
    config.setMakerSite("http://maker.example");

    QString error;
    QVERIFY(config.applyArguments({"ordalis", "--data-dir", "/tmp/x", "--service-base",
                                   "http://127.0.0.1:5000", "--timeout=0.3",
                                   "--web-console=https://console.example/"},
                                  &error));
    QVERIFY(error.isEmpty());
    QCOMPARE(config.serviceBase(), "http://127.0.0.1:5000");
    QCOMPARE(config.makerSite(), "http://maker.example");
    QCOMPARE(config.webConsoleAddress(), "https://console.example");
    QCOMPARE(config.timeout(), 300ms);
}

void ServiceConfigTest::badArgumentsChangeNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("missing value") << QStringList{"--service-base"};
    QTest::newRow("no scheme") << QStringList{"--service-base", "127.0.0.1:5000"};
    QTest::newRow("ftp") << QStringList{"--maker-site=ftp://maker.example"};
    QTest::newRow("no number") << QStringList{"--timeout", "soon"};
    QTest::newRow("zero timeout") << QStringList{"--timeout=0"};
    QTest::newRow("good then bad")
        << QStringList{"--service-base", "http://127.0.0.1:5000", "--timeout", "-1"};
}

void ServiceConfigTest::badArgumentsChangeNothing() {
    QFETCH(QStringList, arguments);
    ServiceConfig config;
    QString error;
    QVERIFY(!config.applyArguments(arguments, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(config.usesEmbeddedService());
    QCOMPARE(config.timeout(), ServiceConfig::DefaultTimeout);
}

void ServiceConfigTest::userSettingsFileIsOrdalisIni() {
    QTemporaryDir dir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Ordalis", "ordalis");
    settings.setValue("service/base", "http://127.0.0.1:7000");
    settings.sync();
    QVERIFY(settings.fileName().endsWith("Ordalis/ordalis.ini"));

    QCOMPARE(ServiceConfig::fromUserSettings().serviceBase(), "http://127.0.0.1:7000");
}

QTEST_GUILESS_MAIN(ServiceConfigTest)
#include "tst_service_config.moc"
