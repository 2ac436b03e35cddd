// SPDX-License-Identifier: GPL-3.0-or-later
// Scores given while the data folder cannot be written (a full disk, a read-only folder) are
// told to the teacher once, kept in the window and marked in the status bar; what was saved
// before stays whole on disk, the next change after the trouble saves every line, and closing
// meanwhile asks first. The full disk is a real one: a 1 MiB tmpfs, mounted when the test runs
// as root (as CI does), skipped otherwise.

#include "Classroom.h"
#include "Screenshots.h"
#include "common/Dialogs.h"
#include "scoring/DailyLog.h"
#include "scoring/PendingStore.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <unistd.h>

using namespace ordalis;

namespace {

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A small filesystem of its own on the folder while it lives, or the folder's permissions,
// through which the test makes and ends the trouble.
class Trouble {
public:
    enum Kind { FullDisk, ReadOnly };

    Trouble(QString folder, Kind kind)
        : m_folder(std::move(folder))
        , m_kind(kind)
        , m_mounted(geteuid() == 0 &&
                    run(QStringLiteral("mount"),
                        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                         QStringLiteral("size=1m"), QStringLiteral("tmpfs"), m_folder})) {}
    ~Trouble() {
        end();
        if (m_mounted)
            run(QStringLiteral("umount"), {QStringLiteral("-l"), m_folder});
    }
    // Root ignores a folder's permissions: without a mount only a user can see them hold.
    bool canRun() const { return m_mounted || (m_kind == ReadOnly && geteuid() != 0); }

    bool begin() {
        if (m_kind == ReadOnly && m_mounted)
            return remount(QStringLiteral("remount,ro"));
        if (m_kind == ReadOnly)
            return QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner);
        QFile filler(filler_path());
        if (!filler.open(QIODevice::WriteOnly))
            return false;
        const QByteArray block(64 * 1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        return true;
    }
    void end() {
        if (m_kind == FullDisk)
            QFile::remove(filler_path());
        else if (m_mounted)
            remount(QStringLiteral("remount,rw"));
        else
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QString filler_path() const { return m_folder + QStringLiteral("/filler"); }
    bool remount(const QString& how) {
        return run(QStringLiteral("mount"), {QStringLiteral("-o"), how, m_folder});
    }

    QString m_folder;
    Kind m_kind;
    bool m_mounted;
};

} // namespace

class UnwritableFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::scriptTheProgram(); }

    void scoresAreKeptUntilTheyCanBeWritten_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("reasons");
        QTest::newRow("full disk")
            << int(Trouble::FullDisk) << QStringList{QStringLiteral("磁盘空间不足")};
        QTest::newRow("read-only folder")
            << int(Trouble::ReadOnly)
            << QStringList{QStringLiteral("文件夹是只读的"), QStringLiteral("没有写入权限")};
    }

    void scoresAreKeptUntilTheyCanBeWritten() {
        QFETCH(int, kind);
        QFETCH(QStringList, reasons);
        test::forgetWhatWasShown();
        ServiceConfig offline;
        offline.setServiceBase(QStringLiteral("http://127.0.0.1:9"));
        test::Classroom room(offline);
        Trouble trouble(room.data.path(), Trouble::Kind(kind));
        if (!trouble.canRun())
            QSKIP("a full filesystem is mounted only by root");
        QVERIFY(room.data.writeSampleRecord());
        room.loginOffline();
        QVERIFY(room.chooseClass(QStringLiteral("一班")));
        room.scoreDraws({"5分"});
        const PendingStore onDisk(room.data.path());
        const QStringList saved = onDisk.load(Session::OfflineUserName);
        QCOMPARE(saved.size(), 1);
        auto* mark = room.find<QLabel>("UnsavedMark");
        QVERIFY(mark->isHidden());

        QVERIFY(trouble.begin());
        room.scoreDraws({"4分", "3分"});
        QTRY_VERIFY(!mark->isHidden());
        QCoreApplication::processEvents();
        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        for (const auto& m : shown)
            qWarning("shown: %s", qPrintable(m.text));
        QCOMPARE(shown.size(), 1); // once for the failure, not once per score or per file
        QCOMPARE(shown[0].title, QStringLiteral("错误"));
        const QString told = shown[0].text;
        QVERIFY2(told.startsWith(QStringLiteral("待上传的成绩和点名记录未能写入磁盘：")),
                 qPrintable(told));
        QVERIFY2(std::any_of(reasons.begin(), reasons.end(),
                             [&told](const QString& reason) { return told.contains(reason); }),
                 qPrintable(told));
        QVERIFY(told.contains(QDir::toNativeSeparators(room.data.path())));
        QCOMPARE(room.find<QLabel>("PendingCount")->text(), QStringLiteral("待上传：3"));
        if (kind == Trouble::FullDisk)
            test::saveScreenshot(room.form(), QStringLiteral("main_window_unsaved"));
        QCOMPARE(room.pendingLines().size(), 3);
        // What was saved before is whole on disk: a restart would read it.
        QCOMPARE(PendingStore(room.data.path()).load(Session::OfflineUserName), saved);

        // Closing now asks first; refused twice, the program stays.
        dialogs::setNextAnswer(false);
        dialogs::setNextAnswer(false);
        room.form()->close();
        QVERIFY(room.form()->isVisible());
        const QList<dialogs::ShownMessage> asked = dialogs::takeShownMessages();
        QCOMPARE(asked.size(), 2);
        QVERIFY(asked[0].text.contains(QStringLiteral("另存")));

        trouble.end();
        room.scoreDraws({"2分"});
        const QStringList all = room.pendingLines();
        QCOMPARE(all.size(), 4);
        QCOMPARE(PendingStore(room.data.path()).load(Session::OfflineUserName), all);
        QTRY_VERIFY(mark->isHidden());
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        // The log missed nothing either: the lines that waited were written in order.
        QFile log(room.data.filePath(dailyLogFileName(
            Session::OfflineUserName, QStringLiteral("一班"), QDate::currentDate())));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().count("\r\n"), 4);
    }
};

QTEST_MAIN(UnwritableFolderTest)
#include "tst_unwritable_folder.moc"
