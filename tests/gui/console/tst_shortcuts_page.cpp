// SPDX-License-Identifier: GPL-3.0-or-later
// The shortcuts page in a temporary home: launchers created, rewritten for the running program
// and removed, the program group with its whole folder, and folders that cannot be written.

#include "RecordFixture.h"
#include "common/Look.h"
#include "console/ConsoleWindow.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "session/Session.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ordalis;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ShortcutsPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        look::apply(*qApp);
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(".config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(".local/share")));
    }

    void launchersAreCreatedRewrittenAndRemoved() {
        const QString desktop = m_home.filePath("Desktop/Rovani.desktop");
        const QString group = m_home.filePath(".local/share/applications/Brannock");
        const QString menu = m_home.filePath(".local/share/applications/Rovani.desktop");

        auto console = makeConsole();
        showShortcuts(*console);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!box(*console, i)->isChecked());

        box(*console, 1)->setChecked(true);
        const QByteArray launcher = contents(group + "/Rovani.desktop");
        QVERIFY(
            launcher.contains("Exec=\"" + QFile::encodeName(qApp->applicationFilePath()) + "\"\n"));
        QVERIFY(launcher.contains("\nIcon=ordalis\n"));
        QVERIFY(QFileInfo(group + "/Rovani.desktop").isExecutable());

        // "创建所有" writes only the shortcuts whose boxes change, and the menu shows the
        // program once: its entry stays in the group.
        QVERIFY(test::writeBytes(group + "/Rovani.desktop", "kept"));
        QVERIFY(test::writeBytes(group + "/other.desktop", "other"));
        QTest::mouseClick(console->findChild<QPushButton*>("Command11"), Qt::LeftButton);
        QVERIFY(QFile::exists(desktop));
        QVERIFY(!QFile::exists(menu) && !box(*console, 2)->isChecked());
        QCOMPARE(contents(group + "/Rovani.desktop"), QByteArray("kept"));
        QVERIFY(console->grab().save(screenshotDir() + "/console_shortcuts.png"));
        // The entry moved directly into the menu leaves the group; all removed and made
        // again, it goes directly into the menu.
        box(*console, 2)->setChecked(true);
        QVERIFY(QFile::exists(menu) && !QDir(group).exists() && !box(*console, 1)->isChecked());
        QTest::mouseClick(console->findChild<QPushButton*>("Command12"), Qt::LeftButton);
        QTest::mouseClick(console->findChild<QPushButton*>("Command11"), Qt::LeftButton);
        QVERIFY(QFile::exists(menu) && !QDir(group).exists());

        // A fresh console writes the shortcuts it finds anew for the running program, and of a
        // menu entry made twice by an older copy keeps the one directly in the menu.
        QVERIFY(test::writeBytes(desktop, "from another copy"));
        QVERIFY(QDir().mkpath(group) &&
                test::writeBytes(group + "/Rovani.desktop", "from another copy"));
        console = makeConsole();
        showShortcuts(*console);
        QVERIFY(box(*console, 0)->isChecked());
        QVERIFY(contents(desktop).contains("Exec="));
        QVERIFY(QFile::exists(menu) && !QDir(group).exists());

        QTest::mouseClick(console->findChild<QPushButton*>("Command12"), Qt::LeftButton);
        QVERIFY(!QFile::exists(desktop));
        QVERIFY(!QFile::exists(menu));
        QVERIFY(!QDir(group).exists()); // with the other launcher in it
    }

    // Folders that cannot be made: the boxes still tick, nothing is written, nothing stops.
    void unwritableFoldersAreNoFailure() {
        QVERIFY(test::writeBytes(m_home.filePath("not-a-folder"), "file"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("not-a-folder")));
        auto console = makeConsole();
        showShortcuts(*console);
        QTest::mouseClick(console->findChild<QPushButton*>("Command11"), Qt::LeftButton);
        QVERIFY(box(*console, 2)->isChecked());
        QVERIFY(!QFile::exists(m_home.filePath("not-a-folder/applications/Rovani.desktop")));
        QTest::mouseClick(console->findChild<QPushButton*>("Command12"), Qt::LeftButton);
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(".local/share")));
    }

private:
    std::unique_ptr<ConsoleWindow> makeConsole() {
        auto console = std::make_unique<ConsoleWindow>(m_session, m_endpoints, m_data.folder(),
                                                       m_config, ConsoleHooks{});
        console->open();
        return console;
    }
    static void showShortcuts(ConsoleWindow& console) {
        QTest::mouseClick(console.findChild<QPushButton*>("Cmd_manage_4"), Qt::LeftButton);
    }
    static QCheckBox* box(ConsoleWindow& console, int i) {
        return console.findChild<QCheckBox*>(QStringLiteral("ChkShortCut_%1").arg(i));
    }
    static QString screenshotDir() {
        QDir().mkpath(QStringLiteral(ORDALIS_SCREENSHOT_DIR));
        return QStringLiteral(ORDALIS_SCREENSHOT_DIR);
    }

    QTemporaryDir m_home;
    test::TempDataFolder m_data;
    ServiceConfig m_config;
    Session m_session;
    ServiceEndpoints m_endpoints{m_config, m_session};
};

QTEST_MAIN(ShortcutsPageTest)
#include "tst_shortcuts_page.moc"
