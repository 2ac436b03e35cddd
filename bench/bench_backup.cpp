// SPDX-License-Identifier: GPL-3.0-or-later
// The copy the program takes of its embedded service's database at the first start of a day,
// before an upgrade, before a restore and at 立即备份 (SQLite's VACUUM INTO of the whole file),
// for a teacher of 10 classes of 50 students with 20,000 scores: what the worker thread spends
// while the lesson goes on.

#include "BenchData.h"
#include "ScoreService.h"
#include "protocol/Protocol.h"
#include "storage/Database.h"
#include "text/WireText.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ordalis;
using namespace ordalis::service;

namespace {

constexpr int Classes = 10;
constexpr int StudentsPerClass = 50;
constexpr int Scores = 20000;
constexpr int LinesPerUpload = 200;

// The teacher's year, entered through the protocol as the program enters it.
class YearOfScores {
public:
    YearOfScores() {
        Database database(path());
        if (!database.open())
            return;
        ServiceOptions options;
        options.hashCost = HashCost::Minimal;
        options.mailSpool = m_dir.filePath(QStringLiteral("mail"));
        Protocol protocol(database, options);
        const auto post = [&protocol](const char* endpoint, const QString& body) {
            const Request request{"POST",
                                  endpoint,
                                  {},
                                  encodeGb18030Url(body).toLatin1(),
                                  QStringLiteral("127.0.0.1")};
            return protocol.handle(request).body == "Success!";
        };
        QStringList classes;
        for (int c = 1; c <= Classes; ++c)
            classes << QStringLiteral("初二(%1)班").arg(c);
        QStringList students;
        for (int s = 0; s < StudentsPerClass; ++s)
            students << bench::studentName(s);
        const QString teacher = QStringLiteral("username=year&password=op");
        m_ready = post("/regteacher.php", "username=year&teachername=李老师&password=pw"
                                          "&superpassword=op&email=y@example.com&mb=&tel=&qq=") &&
                  post("/setclass.php", teacher + "&class=" + classes.join(u'|'));
        for (const QString& name : std::as_const(classes))
            m_ready = m_ready && post("/student.php", teacher + "&class=" + name +
                                                          "&student=" + students.join(u'|'));
        for (int first = 0; first < Scores && m_ready; first += LinesPerUpload) {
            QStringList lines;
            for (int i = first; i < first + LinesPerUpload; ++i)
                lines << QStringLiteral("%1\t%2\t%3分\t2026-%4-15 08:%5:00\t")
                             .arg(classes[i % Classes], students[i / Classes % StudentsPerClass])
                             .arg(i % 6)
                             .arg(i / 2000 + 1, 2, 10, QLatin1Char('0'))
                             .arg(i % 60, 2, 10, QLatin1Char('0'));
            m_ready = post("/index.php", teacher + "&keti=函数&score=" + lines.join(u'|'));
        }
    }
    bool isReady() const { return m_ready; }
    QString path() const { return m_dir.filePath(QStringLiteral("ordalis-service.sqlite")); }
    QString copyPath(int n) const {
        return m_dir.filePath(QStringLiteral("copy-%1.sqlite").arg(n));
    }

private:
    QTemporaryDir m_dir;
    bool m_ready = false;
};

void BackupOfAYear(benchmark::State& state) {
    static const YearOfScores year;
    const auto contents = ScoreService::contents(year.path());
    if (!year.isReady() || !contents || contents->scores != Scores) {
        state.SkipWithError("the teacher's data could not be made");
        return;
    }
    int copies = 0;
    for (auto _ : state) {
        const QString copy = year.copyPath(++copies);
        if (const auto copied = ScoreService::backup(year.path(), copy); !copied)
            state.SkipWithError(qPrintable(copied.why()));
        state.PauseTiming();
        state.counters["copy_MB"] = double(QFileInfo(copy).size()) / 1e6;
        QFile::remove(copy);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BackupOfAYear)->Unit(benchmark::kMillisecond)->UseRealTime();
