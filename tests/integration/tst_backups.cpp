// SPDX-License-Identifier: GPL-3.0-or-later
// The backups of the service the program runs itself, through the real program: the first start
// of the day copies the data, a second folder that is read-only is reported in Chinese while the
// lesson goes on (a login, a draw, a score), and 恢复 in 备份与恢复 (from
// the login window) brings back a class deleted after the backup, keeping the data it replaced
// as a backup of its own.

#include "DemoAccount.h"
#include "DrivenProgram.h"
#include "ScoreService.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "session/Session.h"
#include "text/WireText.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <sys/prctl.h>
#include <unistd.h>

using namespace ordalis;

namespace {

const QString Demo = QLatin1String(service::DemoAccountName);
const QString FirstClass = QStringLiteral("初一(1)班");
const QString SecondClass = QStringLiteral("初一(2)班");

// Root writes into any folder whatever its mode; the programs this test starts do not, so that
// a read-only folder is read-only to them as to a teacher (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH
// leave the bounding set, which only this process's children feel).
void withoutRootsWriteRight() {
    if (geteuid() != 0)
        return;
    constexpr int DacOverride = 1;
    constexpr int DacReadSearch = 2;
    prctl(PR_CAPBSET_DROP, DacOverride, 0, 0, 0);
    prctl(PR_CAPBSET_DROP, DacReadSearch, 0, 0, 0);
}

QStringList loginAsDemo() {
    return {QStringLiteral("type frmLogin/ComboUser ") + Demo,
            QStringLiteral("type frmLogin/txtPassword ") +
                QLatin1String(service::DemoLoginPassword),
            QStringLiteral("click frmLogin/cmdOK")};
}

// The second class of the main window's class box, after a login.
const QStringList SecondClassChosen{QStringLiteral("choose Form1/Combo2 1"),
                                    QStringLiteral("print Form1/Combo2")};

} // namespace

class BackupsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        withoutRootsWriteRight();
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("data")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("usb")));
        QVERIFY(QFile::setPermissions(m_dir.filePath(QStringLiteral("usb")),
                                      QFile::ReadOwner | QFile::ExeOwner));
        // The teacher's data: the demo account's two classes.
        ScoreService service;
        QVERIFY(service.start(database()));
        QVERIFY(service.createDemoAccount());
        // The second folder, chosen before in 备份与恢复.
        QSettings settings(m_dir.filePath(QStringLiteral("home/config/Pelorand/Pelorand.conf")),
                           QSettings::IniFormat);
        settings.setValue(QStringLiteral("backups/secondFolder"), secondFolder());
    }

    void copiedAtStartWhileTheLessonGoesOn() {
        const test::DrivenRun run = drive(
            QStringList{QStringLiteral("print Notice/qt_msgbox_label"),
                        QStringLiteral("click Form1/Command1")} +
            loginAsDemo() + SecondClassChosen +
            QStringList{QStringLiteral("click Form1/btnChou_0"), QStringLiteral("pause 30"),
                        QStringLiteral("click Form1/btnChou_0"),
                        QStringLiteral("choose Form1/Combo1 1"),
                        QStringLiteral("print Form1/PendingCount"), QStringLiteral("close Form1")});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.printed(QStringLiteral("Notice/qt_msgbox_label")),
                 QStringLiteral("数据备份失败：没有写入权限（%1）。").arg(secondFolder()));
        QCOMPARE(run.printed(QStringLiteral("Form1/Combo2")), SecondClass);
        QCOMPARE(run.printed(QStringLiteral("Form1/PendingCount")), QStringLiteral("待上传：1"));

        const QStringList copies = backupFiles();
        QCOMPARE(copies.size(), 1);
        QVERIFY2(copies[0].startsWith(QDate::currentDate().toString("'ordalis-'yyyy-MM-dd-")),
                 qPrintable(copies[0]));
        QVERIFY(QDir(secondFolder()).isEmpty());
    }

    void restoreBringsBackADeletedClass() {
        deleteSecondClass();
        QCOMPARE(ScoreService::contents(database())->classes, 1);
        const QString copy = backupFiles().value(0);
        // A copy of a new day would come first (the list is newest first).
        const int row = copy.contains(QDate::currentDate().toString("yyyy-MM-dd")) ? 0 : 1;

        const test::DrivenRun run = drive(
            QStringList{QStringLiteral("click Form1/Command1"),
                        QStringLiteral("click frmLogin/btnBackup"),
                        QStringLiteral("print frmBackup/lstBackups"),
                        QStringLiteral("shoot frmLogin login_window_backups"),
                        QStringLiteral("shoot frmBackup backup_window"),
                        QStringLiteral("choose frmBackup/lstBackups %1").arg(row),
                        QStringLiteral("click frmBackup/btnRestore"), QStringLiteral("answer"),
                        QStringLiteral("answer"), QStringLiteral("print frmBackup/lstBackups"),
                        QStringLiteral("close frmBackup")} +
            loginAsDemo() + SecondClassChosen + QStringList{QStringLiteral("close Form1")});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));

        const QRegularExpression bothClasses(
            QStringLiteral("2 个班级，80 名学生，\\d+ 个成绩　本机"));
        const QString before = run.output.section(QStringLiteral("answer: "), 0, 0);
        QVERIFY2(before.contains(bothClasses), qPrintable(before));
        QVERIFY2(run.output.contains(QStringLiteral("已恢复")) &&
                     run.output.contains(QStringLiteral("请重新登录")),
                 qPrintable(run.output));
        const QString after = run.printed(QStringLiteral("frmBackup/lstBackups"));
        QVERIFY2(after.contains(QStringLiteral("（恢复前）　1 个班级，40 名学生")),
                 qPrintable(after));
        QVERIFY2(after.contains(bothClasses), qPrintable(after));
        QCOMPARE(run.printed(QStringLiteral("Form1/Combo2")), SecondClass);
        QCOMPARE(ScoreService::contents(database())->classes, 2);
        const QStringList kept = backupFiles();
        QVERIFY(kept.contains(copy));
        QCOMPARE(kept.filter(QStringLiteral("-before-restore.sqlite")).size(), 1);
    }

private:
    QString database() const {
        return m_dir.filePath(QStringLiteral("data/ordalis-service.sqlite"));
    }
    QString secondFolder() const { return m_dir.filePath(QStringLiteral("usb")); }
    QStringList backupFiles() const {
        return QDir(m_dir.filePath(QStringLiteral("data/backups")))
            .entryList({QStringLiteral("*.sqlite")}, QDir::Files);
    }
    test::DrivenRun drive(const QStringList& steps) const {
        return test::runDriven(m_dir.filePath(QStringLiteral("data")), steps, {},
                               m_dir.filePath(QStringLiteral("home")));
    }
    // Through the service, as the console deletes it.
    void deleteSecondClass() const {
        ScoreService service;
        QVERIFY(service.start(database()));
        ServiceConfig config;
        config.setServiceBase(service.baseUrl());
        Session session{Demo, md5Hex(QLatin1String(service::DemoLoginPassword))};
        ServiceEndpoints endpoints(config, session);
        QVERIFY(
            endpoints.setClasses(QLatin1String(service::DemoOperationPassword), {FirstClass}).ok());
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(BackupsTest)
#include "tst_backups.moc"
