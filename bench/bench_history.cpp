// SPDX-License-Identifier: GPL-3.0-or-later
// The class's history: the history window opened on a class of 50 with 5,000 calls and 5,000
// scores in the term, read from a real service; and a draw's stop with and without the call it
// records kept in the pending store.

#include "BenchData.h"
#include "RecordFixture.h"
#include "ScoreService.h"
#include "common/Look.h"
#include "draw/DrawController.h"
#include "history/HistoryWindow.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "scoring/PendingKeeper.h"
#include "scoring/UploadBatches.h"
#include "session/MainWindow.h"
#include "session/Session.h"
#include "text/WireText.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <benchmark/benchmark.h>

using namespace ordalis;

namespace {

const QString ClassName = QStringLiteral("高一(1)班");
const QString Operation = QStringLiteral("op");

QStringList fiftyStudents() {
    QStringList names;
    for (int i = 0; i < 50; ++i)
        names << bench::studentName(i);
    return names;
}

// The time of the i-th of many events this term, a few minutes apart.
QString termTime(int i) {
    return QDateTime(QDate::currentDate().addDays(-(i % 60)), QTime(8, 0))
        .addSecs(i / 60 * 7)
        .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// The service runs in this process, as the program runs it, so that no other program's memory
// counts in the first-start benchmark's figure.
void HistoryOpen(benchmark::State& state) {
    test::TempDataFolder data;
    ScoreService embedded;
    ServiceConfig config;
    Session session;
    ServiceEndpoints service(config, session);
    const QStringList students = fiftyStudents();
    TeacherRegistration teacher;
    teacher.userName = session.userName = QStringLiteral("history");
    teacher.teacherName = QStringLiteral("王老师");
    teacher.loginPassword = QStringLiteral("pw");
    teacher.operationPassword = Operation;
    teacher.email = QStringLiteral("h@example.com");
    session.mp = md5Hex(teacher.loginPassword);
    bool ready = embedded.start(data.filePath(QStringLiteral("service.sqlite"))) &&
                 (config.setServiceBase(embedded.baseUrl()), true) &&
                 service.registerTeacher(teacher).ok() &&
                 service.setClasses(Operation, {ClassName}).ok() &&
                 service.setStudents(Operation, ClassName, students).ok();
    QStringList scores;
    QStringList calls;
    for (int i = 0; i < 5000; ++i) {
        scores << ClassName + u'\t' + students[i % 50] + QStringLiteral("\t%1分\t").arg(i % 6) +
                      termTime(i) + u'\t';
        calls << ClassName + u'\t' + students[(i * 7) % 50] + u'\t' + termTime(i) +
                     QStringLiteral("\t所有");
    }
    ready = ready && service.uploadScores(Operation, QStringLiteral("函数"), scores).ok() &&
            service.uploadCalls(Operation, calls, newBatchId()).ok();
    if (!ready) {
        state.SkipWithError("the service could not be prepared");
        return;
    }
    HistoryWindow::Sources sources;
    sources.roster = [&students](const QString&) { return students; };
    sources.pendingScores = [] { return QStringList(); };
    sources.pendingCalls = [] { return QStringList(); };
    sources.online = [] { return true; };
    HistoryWindow window(service, sources, data.filePath(QStringLiteral("history.ini")));
    window.resize(1366, 768);
    window.show();
    for (auto _ : state) {
        window.showClass(ClassName);
        QCoreApplication::processEvents(); // the table and charts painted
    }
    state.counters["rows"] = window.findChild<QTableWidget*>()->rowCount();
}
BENCHMARK(HistoryOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

// One stop of "所有" on a class of 50; with the argument 1 the call is kept as the program
// keeps it (written to the pending store once the event loop is free, between two stops).
void DrawStop(benchmark::State& state) {
    test::TempDataFolder data;
    QStringList lines{QStringLiteral("Class_Is_Ready\t") + ClassName + u'\t'};
    const QStringList students = fiftyStudents();
    for (int i = 0; i < students.size(); ++i)
        lines << test::studentLine(ClassName, students[i], 0, 3, 1);
    data.writeRecord(lines);
    Session session;
    session.userName = QStringLiteral("bench");
    MainWindow form(data.folder(), session);
    form.show();
    form.applyTeacherRecord(SessionMode::Offline);
    auto* classes = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
    classes->setCurrentIndex(0);
    Q_EMIT classes->activated(0);
    PendingKeeper keeper(form.uploadPanel(), data.path(), form.unsavedWork());
    keeper.changeUser(session.userName);
    if (state.range(0) == 1)
        QObject::connect(&form, &MainWindow::callRecorded, &keeper, &PendingKeeper::addCall);
    auto* everybody = form.findChild<QPushButton*>(QStringLiteral("btnChou_0"));
    auto* roll = form.findChild<QTimer*>(QStringLiteral("Timer1"));
    for (auto _ : state) {
        state.PauseTiming();
        QCoreApplication::processEvents(); // the call of the last stop written meanwhile
        everybody->click();
        roll->stop();
        form.findChild<DrawController*>()->rollStep();
        state.ResumeTiming();
        everybody->click();
    }
}
BENCHMARK(DrawStop)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(300);

} // namespace
