// SPDX-License-Identifier: GPL-3.0-or-later
// One program per data folder, with real `ordalis` processes played by the driver: a second
// start on the folder brings the running program to the front and ends at once; a hung program
// is reported and never joined by a second copy; a killed one leaves a folder the next start
// takes; another data folder runs beside.

#include "DrivenProgram.h"
#include "RecordFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using ordalis::test::DrivenProgram;
using ordalis::test::DrivenRun;
using ordalis::test::runDriven;

namespace {

// A second start ends in well under a second here; the bound tells one that ends by itself from
// one that runs on, not how fast it is.
constexpr qint64 SecondStartBoundMs = 5000;

QStringList steps(const char* script) {
    return QString::fromUtf8(script).split(u';');
}

// A second start, timed.
DrivenRun startAgain(const QString& folder, qint64* tookMs, const QStringList& steps = {}) {
    QElapsedTimer clock;
    clock.start();
    DrivenRun run = runDriven(folder, steps);
    *tookMs = clock.elapsed();
    qInfo("the second start ended after %lld ms", *tookMs);
    return run;
}

} // namespace

class SingleProgramTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The login window while it stands in the main window's place, then the main window itself
    // behind the history window, each minimised: a second start brings each to the front.
    void secondStartBringsTheRunningProgramToTheFront() {
        ordalis::test::TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        QTemporaryDir links;
        const QString sameFolder = links.filePath(QStringLiteral("same"));
        QVERIFY(QFile::link(data.path(), sameFolder));

        DrivenProgram first(data.path(), steps("click Form1/Command1;" // 用户
                                               "minimize frmLogin;"
                                               "state frmLogin;"
                                               "state frmLogin normal active;"
                                               "state Form1;"
                                               "click frmLogin/Command1;" // offline
                                               "click Form1/btnHistory;"
                                               "minimize Form1;"
                                               "state Form1;"
                                               "state Form1 normal active;"
                                               "close frmHistory;"
                                               "close Form1"));
        QVERIFY(first.waitForOutput(QStringLiteral("state frmLogin: minimised")));

        qint64 took = 0;
        // The same folder by another path is the same program.
        const DrivenRun toLogin = startAgain(sameFolder, &took);
        QVERIFY2(toLogin.finished && toLogin.exitCode == 0, qPrintable(toLogin.errors));
        QVERIFY(took < SecondStartBoundMs);
        QVERIFY(first.waitForOutput(QStringLiteral("state Form1: hidden")));
        QVERIFY(first.waitForOutput(QStringLiteral("state Form1: minimised inactive")));

        // Another data folder is another program, beside the first.
        ordalis::test::TempDataFolder other;
        const DrivenRun beside = runDriven(other.path(), steps("state Form1; close Form1"));
        QVERIFY2(beside.finished && beside.exitCode == 0, qPrintable(beside.errors));
        QVERIFY(beside.printed(QStringLiteral("state Form1")).startsWith(u"normal"));

        const DrivenRun toMain = startAgain(data.path(), &took);
        QVERIFY2(toMain.finished && toMain.exitCode == 0, qPrintable(toMain.errors));
        QVERIFY(took < SecondStartBoundMs);
        QVERIFY(toMain.output.isEmpty());

        const DrivenRun firstRun = first.finish();
        QVERIFY2(firstRun.finished && firstRun.exitCode == 0, qPrintable(firstRun.errors));
        QCOMPARE(firstRun.printed(QStringLiteral("state Form1")), QStringLiteral("normal active"));
    }

    // A stopped program is reported and the second start ends without starting; once it is
    // killed, the next start takes the folder at once and answers later starts itself.
    void hungThenKilledProgram() {
        ordalis::test::TempDataFolder data;
        DrivenProgram hung(data.path(), steps("state Form1"));
        QVERIFY(hung.waitForOutput(QStringLiteral("state Form1: normal")));
        const auto hungId = pid_t(hung.process().processId());
        QCOMPARE(::kill(hungId, SIGSTOP), 0);

        qint64 took = 0;
        const DrivenRun refused = startAgain(data.path(), &took, steps("answer; state Form1"));
        QVERIFY2(refused.finished, qPrintable(refused.errors));
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(took < SecondStartBoundMs);
        QVERIFY2(refused.printed(QStringLiteral("answer"))
                     .startsWith(QStringLiteral("Ordalis 已在运行，但没有响应")),
                 qPrintable(refused.output));
        QVERIFY(refused.printed(QStringLiteral("state Form1")).isEmpty());

        hung.process().kill(); // SIGKILL: its lock and its channel stay behind
        QVERIFY(hung.process().waitForFinished());

        DrivenProgram next(data.path(), steps("minimize Form1;"
                                              "state Form1;"
                                              "state Form1 normal active;"
                                              "close Form1"));
        QVERIFY(next.waitForOutput(QStringLiteral("state Form1: minimised")));
        const DrivenRun handedOver = startAgain(data.path(), &took);
        QVERIFY2(handedOver.finished && handedOver.exitCode == 0, qPrintable(handedOver.errors));
        QVERIFY(took < SecondStartBoundMs);
        const DrivenRun nextRun = next.finish();
        QVERIFY2(nextRun.finished && nextRun.exitCode == 0, qPrintable(nextRun.errors));
    }

    // `ordalis --draw [CATEGORY]` and `--stop` drive the running program's draw; what cannot be
    // done is refused on standard error with exit status 1.
    void drawsFromOutside() {
        ordalis::test::TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        const auto later = [&](const QStringList& arguments) {
            return runDriven(data.path(), {}, arguments);
        };
        const DrivenRun none = later({QStringLiteral("--stop")});
        QCOMPARE(none.exitCode, 1);
        QVERIFY2(none.errors.contains(QStringLiteral("没有在运行")), qPrintable(none.errors));

        DrivenProgram first(data.path(), steps("state Form1;"
                                               "pause 1500;"
                                               "click Form1/Command1;"    // 用户
                                               "click frmLogin/Command1;" // offline
                                               "choose Form1/Combo2 0;"
                                               "print Form1/Combo2;"
                                               "pause 30000"));
        QVERIFY(first.waitForOutput(QStringLiteral("state Form1: normal")));
        const DrivenRun early = later({QStringLiteral("--draw")});
        QCOMPARE(early.exitCode, 1);
        QVERIFY2(early.errors.contains(QStringLiteral("还没有登录")), qPrintable(early.errors));

        QVERIFY2(first.waitForOutput(QStringLiteral("Form1/Combo2: 一班")),
                 qPrintable(QString::fromUtf8(first.process().readAllStandardOutput())));
        const struct {
            QStringList arguments;
            int exitCode;
            QString said; // on standard output when done, on standard error when refused
        } steps[] = {
            {{QStringLiteral("--stop")}, 1, QStringLiteral("没有正在进行的抽取")},
            {{QStringLiteral("--draw"), QStringLiteral("已点")},
             1,
             QStringLiteral("“已点”中没有学生")},
            {{QStringLiteral("--draw"), QStringLiteral("手动")},
             1,
             QStringLiteral("没有“手动”这个类别")},
            {{QStringLiteral("--draw")}, 0, {}},
            {{QStringLiteral("--draw"), QStringLiteral("所有")}, 0, QStringLiteral("正在抽取")},
            {{QStringLiteral("--stop")}, 0, {}},
            {{QStringLiteral("--draw"), QStringLiteral("轮流")}, 0, {}},
            {{QStringLiteral("--stop")}, 0, {}},
        };
        for (const auto& step : steps) {
            const DrivenRun run = later(step.arguments);
            const QString context = step.arguments.join(u' ') + u':' + run.errors;
            QVERIFY2(run.finished && run.exitCode == step.exitCode, qPrintable(context));
            QVERIFY2((step.exitCode == 0 ? run.output : run.errors).contains(step.said),
                     qPrintable(context));
        }
        // The stop names the student it called, one of the class.
        const QString called =
            later({QStringLiteral("--draw"), QStringLiteral("未点")}).exitCode == 0
                ? later({QStringLiteral("--stop")}).output.trimmed()
                : QString();
        QVERIFY2(QStringList({"张三", "李四", "王五"}).contains(called), qPrintable(called));
        first.process().kill();
    }
};

QTEST_GUILESS_MAIN(SingleProgramTest)
#include "tst_single_program.moc"
