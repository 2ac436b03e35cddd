// SPDX-License-Identifier: GPL-3.0-or-later
// The main window at work on real widgets (offscreen): one roll step on a large record, in the
// designed window and in projector mode, the roll rate the 5 ms timer achieves, one quick-pick
// keystroke and one class choice; and the real program's processor time while a draw rolls in
// projector mode and while it waits.

#include "BenchData.h"
#include "DrivenProgram.h"
#include "ProjectorScreens.h"
#include "RecordFixture.h"
#include "common/Look.h"
#include "draw/DrawController.h"
#include "session/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace ordalis;

namespace {

// A record with `students` students in one class 一班 (plus a small second class), the class
// list and a topic with standards; its file dated a minute back, as after a login.
struct BenchWindow {
    test::TempDataFolder data;
    Session session;
    std::unique_ptr<MainWindow> form;

    explicit BenchWindow(int students) {
        QStringList lines{QStringLiteral("Class_Is_Ready\t一班\t二班\t"),
                          QStringLiteral("[keti]\t函数\t回答正确\t5\t回答错误\t1\t")};
        for (int i = 0; i < students; ++i)
            lines << test::studentLine(QStringLiteral("一班"), bench::studentName(i), i % 16,
                                       (i % 9) * 0.5, i % 7);
        lines << test::studentLine(QStringLiteral("二班"), QStringLiteral("赵六"), 0, 3, 1);
        data.writeRecord(lines);
        test::ageFile(data.recordFile(), 60);
        session.userName = QStringLiteral("bench");
        look::apply(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        form = std::make_unique<MainWindow>(data.folder(), session);
        form->show();
        form->applyTeacherRecord(SessionMode::Offline);
    }

    template <typename T> T* find(const char* name) const {
        return form->findChild<T*>(QLatin1String(name));
    }
    DrawController* draw() const { return form->findChild<DrawController*>(); }
    QTimer* rollTimer() const { return find<QTimer>("Timer1"); }
    QPushButton* everybody() const { return find<QPushButton>("btnChou_0"); }

    void chooseClass(int index) {
        QComboBox* classes = find<QComboBox>("Combo2");
        classes->setCurrentIndex(index);
        Q_EMIT classes->activated(index);
    }
};

// Rolls "所有" on the first class, the benchmark running the steps itself.
void rollSteps(benchmark::State& state, BenchWindow& w) {
    w.chooseClass(0);
    w.everybody()->click();
    w.rollTimer()->stop();
    for (auto _ : state)
        w.draw()->rollStep();
    benchmark::DoNotOptimize(w.find<QLineEdit>("Text2")->text());
}

void RollStep(benchmark::State& state) {
    BenchWindow w(int(state.range(0)));
    rollSteps(state, w);
}
BENCHMARK(RollStep)->Arg(5000)->Unit(benchmark::kMicrosecond);

// The same step in projector mode on a 1920×1080 screen, where the name is fitted to a board
// that fills the screen.
void RollStepProjector(benchmark::State& state) {
    BenchWindow w(int(state.range(0)));
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->size() == test::FullHdScreen)
            w.form->move(screen->geometry().topLeft());
    }
    w.find<QPushButton>("cmdProjector")->click();
    if (w.form->size() != test::FullHdScreen) {
        state.SkipWithError("no 1920x1080 screen for projector mode");
        return;
    }
    rollSteps(state, w);
}
BENCHMARK(RollStepProjector)->Arg(5000)->Unit(benchmark::kMicrosecond);

void RollRate(benchmark::State& state) {
    BenchWindow w(5000);
    w.chooseClass(0);
    for (auto _ : state) {
        int steps = 0;
        const auto counting =
            QObject::connect(w.rollTimer(), &QTimer::timeout, [&steps] { ++steps; });
        w.everybody()->click();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        const double seconds = clock.nsecsElapsed() / 1e9;
        w.everybody()->click();
        QObject::disconnect(counting);
        state.counters["steps_per_s"] = steps / seconds;
    }
}
BENCHMARK(RollRate)->Iterations(1)->Unit(benchmark::kMillisecond);

void QuickPickFilter(benchmark::State& state) {
    BenchWindow w(int(state.range(0)));
    w.chooseClass(0);
    QLineEdit* search = w.find<QLineEdit>("txtManual");
    const QString keys[2] = {QStringLiteral("Z"), QStringLiteral("ZM")};
    int i = 0;
    for (auto _ : state)
        search->setText(keys[i++ % 2]);
}
BENCHMARK(QuickPickFilter)->Arg(500)->Unit(benchmark::kMicrosecond);

void ClassChoice(benchmark::State& state) {
    BenchWindow w(int(state.range(0)));
    for (auto _ : state)
        w.chooseClass(0);
}
BENCHMARK(ClassChoice)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The whole program started on the data folder until its main window is shown, then quitting;
// false when it did not.
bool startAndQuit(const QString& dataFolder) {
    QProcess process;
    process.start(QStringLiteral(ORDALIS_APP_BIN),
                  {QStringLiteral("--quit-when-shown"), QStringLiteral("--data-dir"), dataFolder});
    return process.waitForFinished(30000) && process.exitCode() == 0;
}

void StartUpProcess(benchmark::State& state) {
    test::TempDataFolder data;
    data.writeSampleRecord();
    for (auto _ : state)
        if (!startAndQuit(data.path())) {
            state.SkipWithError("ordalis did not start and quit");
            return;
        }
}
BENCHMARK(StartUpProcess)->Iterations(5)->Unit(benchmark::kMillisecond);

// The very first start: a fresh data folder, so that the embedded service makes its database
// and the demo account. The counter is the largest resident size any started program reached.
void FirstStartProcess(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir data;
        state.ResumeTiming();
        if (!startAndQuit(data.path())) {
            state.SkipWithError("ordalis did not start and quit");
            return;
        }
    }
    struct rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["max_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(FirstStartProcess)->Iterations(5)->Unit(benchmark::kMillisecond);

// The processor time (user and system) the process has used, in seconds.
double processorSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // After the command name in parentheses: utime and stime are fields 14 and 15.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return double(fields.value(11).toLongLong() + fields.value(12).toLongLong()) /
           double(sysconf(_SC_CLK_TCK));
}

// The share of one core the process takes over `seconds`, in percent.
double corePercent(qint64 pid, double seconds) {
    const double before = processorSeconds(pid);
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(ulong(seconds * 1000));
    return 100 * (processorSeconds(pid) - before) / (double(clock.nsecsElapsed()) / 1e9);
}

// The real program logged in offline with a class of 45, in projector mode; a draw started
// and stopped from outside (ordalis --draw, --stop) as a presenter's key would.
void RollingProcessorShare(benchmark::State& state) {
    test::TempDataFolder data;
    QStringList lines{QStringLiteral("Class_Is_Ready\t一班\t")};
    for (int i = 0; i < 45; ++i)
        lines << test::studentLine(QStringLiteral("一班"), bench::studentName(i), 0, 0, 0);
    data.writeRecord(lines);
    test::DrivenProgram program(
        data.path(),
        {QStringLiteral("click Form1/Command1"), QStringLiteral("click frmLogin/Command1"),
         QStringLiteral("choose Form1/Combo2 0"), QStringLiteral("click Form1/cmdProjector"),
         QStringLiteral("print Form1/Combo2"), QStringLiteral("pause 600000")});
    if (!program.waitForOutput(QStringLiteral("Form1/Combo2: 一班"))) {
        state.SkipWithError("the program did not log in");
        return;
    }
    const qint64 pid = program.process().processId();
    const auto later = [&](const QString& option) {
        return test::runDriven(data.path(), {}, {option}).exitCode == 0;
    };
    for (auto _ : state) {
        if (!later(QStringLiteral("--draw"))) {
            state.SkipWithError("no draw started");
            return;
        }
        state.counters["rolling_percent"] = corePercent(pid, 3);
        later(QStringLiteral("--stop"));
        state.counters["idle_percent"] = corePercent(pid, 3);
    }
    program.process().kill();
    program.process().waitForFinished();
}
BENCHMARK(RollingProcessorShare)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
