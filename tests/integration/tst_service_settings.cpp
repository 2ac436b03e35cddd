// SPDX-License-Identifier: GPL-3.0-or-later
// ordalis-service started with --config: the file's name=value lines set its options, the
// command line wins over the file, and a line it cannot take stops it with the line's place.

#include "ServiceProcess.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using ordalis::test::ServiceProcess;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& text) {
    const QString path = dir.filePath(QStringLiteral("service.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return {};
    return path;
}

} // namespace

class ServiceSettingsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fileSetsOptionsAndCommandLineWins() {
        QTemporaryDir dir;
        const QString unusedDatabase = dir.filePath(QStringLiteral("unused.sqlite"));
        const QString config = writeFile(dir, "[service]\n# listen and database are overridden\n"
                                              "listen = no-such-address\ndatabase=" +
                                                  unusedDatabase.toUtf8() + "\ndemo=yes\n");
        ServiceProcess service({QStringLiteral("--config"), config});
        QVERIFY(service.start());
        QVERIFY(QFile::exists(service.databasePath()));
        QVERIFY(!QFile::exists(unusedDatabase));
        // demo=yes made the demo account, so its name is taken.
        QVERIFY(!service.registerTeacher(QStringLiteral("demo"), QStringLiteral("a"),
                                         QStringLiteral("b")));
        QVERIFY(service.registerTeacher(QStringLiteral("other"), QStringLiteral("a"),
                                        QStringLiteral("b")));
    }

    void aLineItCannotTakeStopsTheService() {
        QTemporaryDir dir;
        for (const char* line : {"bogus=1", "listen", "demo=maybe", "config=other.ini"}) {
            const QString config = writeFile(dir, QByteArray("# settings\n") + line + "\n");
            QProcess service;
            service.start(QStringLiteral(ORDALIS_SERVICE_BIN),
                          {QStringLiteral("--config"), config, QStringLiteral("--listen"),
                           QStringLiteral("127.0.0.1:0")});
            QVERIFY(service.waitForFinished(10000));
            QCOMPARE(service.exitCode(), 2);
            QVERIFY2(service.readAllStandardError().contains("service.ini line 2: "), line);
        }
    }
};

QTEST_GUILESS_MAIN(ServiceSettingsTest)
#include "tst_service_settings.moc"
