// SPDX-License-Identifier: GPL-3.0-or-later
// A score not yet uploaded survives the end of the program, whichever way it ends: killed with
// SIGKILL (the test runs itself a second time as the program), or closed by the main window's
// close button, when every window is torn down (the real program, played by the driver).

#include "DrivenProgram.h"
#include "RecordFixture.h"
#include "common/Dialogs.h"
#include "common/Look.h"
#include "common/RowTableModel.h"
#include "net/ServiceConfig.h"
#include "scoring/PendingStore.h"
#include "session/LoginWindow.h"
#include "session/MainWindow.h"
#include "session/ProgramWindows.h"
#include "session/Session.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cstdio>

using namespace ordalis;

namespace {

const char* const FolderVariable = "ORDALIS_PENDING_TEST_FOLDER";

template <typename T> T* child(QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (found == nullptr)
        qFatal("no widget %s", name);
    return found;
}

// The program on a data folder, with no service to reach.
struct Program {
    Session session;
    ServiceConfig config;
    std::unique_ptr<ProgramWindows> windows;

    explicit Program(const DataFolder& folder) {
        config.setServiceBase(QStringLiteral("http://127.0.0.1:9"));
        windows = std::make_unique<ProgramWindows>(folder, config, session,
                                                   folder.filePath(QStringLiteral("users.ini")),
                                                   [] { return false; });
        windows->mainWindow()->show();
    }
    MainWindow* form() const { return windows->mainWindow(); }

    void loginOffline() {
        QTest::mouseClick(child<QPushButton>(form(), "Command1"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(windows->loginWindow(), "Command1"), Qt::LeftButton);
    }
};

// The second run: one free score given offline, then the process waits to be killed.
int scoreThenWait(int argc, char** argv) {
    QApplication app(argc, argv);
    look::apply(app);
    dialogs::setScripted(true);
    Program program(DataFolder(qEnvironmentVariable(FolderVariable)));
    program.loginOffline();
    auto* classes = child<QComboBox>(program.form(), "Combo2");
    classes->setCurrentIndex(0);
    Q_EMIT classes->activated(0);
    QPushButton* everybody = child<QPushButton>(program.form(), "btnChou_0");
    QTest::mouseClick(everybody, Qt::LeftButton);
    QTest::qWait(20);
    QTest::mouseClick(everybody, Qt::LeftButton);
    auto* scores = child<QComboBox>(program.form(), "Combo1");
    scores->setCurrentIndex(0);
    Q_EMIT scores->activated(0);
    std::printf("scored\n");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

class PendingAfterKillTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pendingScoreSurvivesSigkill() {
        test::TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(FolderVariable), data.path());
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(program.waitForStarted());
        QByteArray output;
        while (!output.contains("scored\n") && program.waitForReadyRead(30000))
            output += program.readAllStandardOutput();
        QVERIFY2(output.contains("scored\n"), output.constData());
        program.kill(); // SIGKILL: nothing of the program runs after it
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);

        const QStringList kept = PendingStore(data.path()).load(Session::OfflineUserName);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].section(u'\t', 2, 2), QStringLiteral("5分"));

        dialogs::setScripted(true);
        Program next(data.folder());
        QCOMPARE(child<QLabel>(next.form(), "PendingCount")->text(), QStringLiteral("待上传：0"));
        next.loginOffline();
        const auto* pending = child<QTableView>(next.form(), "List4")->model();
        QCOMPARE(dynamic_cast<const RowModel*>(pending)->lines(), kept);
        QCOMPARE(child<QLabel>(next.form(), "PendingCount")->text(), QStringLiteral("待上传：1"));
    }

    void pendingScoresSurviveTheCloseButton() {
        test::TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        const QStringList loginOffline{QStringLiteral("click Form1/Command1"),
                                       QStringLiteral("click frmLogin/Command1")};
        const QStringList drawAndScore{
            QStringLiteral("click Form1/btnChou_0"), QStringLiteral("pause 30"),
            QStringLiteral("click Form1/btnChou_0"), QStringLiteral("choose Form1/Combo1 1")};
        const test::DrivenRun scoring = test::runDriven(
            data.path(), loginOffline + QStringList{QStringLiteral("choose Form1/Combo2 0")} +
                             drawAndScore + drawAndScore +
                             QStringList{QStringLiteral("print Form1/PendingCount"),
                                         QStringLiteral("close Form1")});
        QVERIFY2(scoring.finished && scoring.exitCode == 0, qPrintable(scoring.errors));
        QCOMPARE(scoring.printed(QStringLiteral("Form1/PendingCount")),
                 QStringLiteral("待上传：2"));
        QCOMPARE(PendingStore(data.path()).load(Session::OfflineUserName).size(), 2);

        const test::DrivenRun next = test::runDriven(
            data.path(), loginOffline + QStringList{QStringLiteral("print Form1/List4"),
                                                    QStringLiteral("print Form1/PendingCount"),
                                                    QStringLiteral("close Form1")});
        QVERIFY2(next.finished && next.exitCode == 0, qPrintable(next.errors));
        QCOMPARE(next.printed(QStringLiteral("Form1/PendingCount")), QStringLiteral("待上传：2"));
        const QStringList lines = next.printed(QStringLiteral("Form1/List4")).split(u'\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("2"));
        QCOMPARE(lines[1].section(u'\t', 2, 2), QStringLiteral("4分"));
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(FolderVariable))
        return scoreThenWait(argc, argv);
    QApplication app(argc, argv);
    PendingAfterKillTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pending_after_kill.moc"
