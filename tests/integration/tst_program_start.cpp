// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program as a whole process: with no service configured it runs its own, with
// --service-base it runs none.

#include "ServiceProcess.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ProgramStartTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void embeddedServiceByDefault() {
        QTemporaryDir home;
        QVERIFY(run(home, {}));
        QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("data/ordalis-service.sqlite"))));
    }

    void schoolServiceInstead() {
        ordalis::test::ServiceProcess school;
        QVERIFY(school.start());
        QTemporaryDir home;
        QVERIFY(run(home, {QStringLiteral("--service-base"), school.baseUrl()}));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("data/ordalis-service.sqlite"))));
    }

    void unusableServiceAddressIsRefused() {
        QTemporaryDir home;
        QVERIFY(!run(home, {QStringLiteral("--service-base"), QStringLiteral("not a url")}));
    }

private:
    // Starts the program until its main window is shown, with a configuration folder of its
    // own so the developer's settings play no part.
    static bool run(const QTemporaryDir& home, const QStringList& extra) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ORDALIS_APP_BIN),
                      QStringList{QStringLiteral("--quit-when-shown"), QStringLiteral("--data-dir"),
                                  home.filePath(QStringLiteral("data"))} +
                          extra);
        return program.waitForFinished(60000) && program.exitStatus() == QProcess::NormalExit &&
               program.exitCode() == 0;
    }
};

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "tst_program_start.moc"
