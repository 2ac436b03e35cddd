// SPDX-License-Identifier: GPL-3.0-or-later
// 200-line score uploads through the service's protocol (no sockets) by 1, 4 and 16 clients at
// once, each for a teacher of its own, on SQLite (synced to disk at every commit) and on a
// throwaway PostgreSQL cluster: concurrent uploads share commits, so more clients should not mean
// fewer uploads per second.

#include "BenchData.h"
#include "BenchService.h"
#include "PostgresCluster.h"
#include "protocol/Protocol.h"
#include "storage/Database.h"
#include "text/WireText.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

using namespace ordalis;
using namespace ordalis::service;

namespace {

constexpr int UploadLines = 200;

// Teachers bench0..bench15 with 50 classes of 50 students each; every client thread uploads
// 200 lines over four classes for a teacher of its own.
class UploadTarget {
public:
    static constexpr int Teachers = 16;

    explicit UploadTarget(const QString& location)
        : m_database(location)
        , m_protocol(bench::openProtocol(m_database, m_dir.path())) {
        if (!m_protocol)
            return;
        QStringList students;
        for (int i = 0; i < 50; ++i)
            students.append(bench::studentName(i));
        QStringList classes;
        for (int c = 1; c <= 50; ++c)
            classes.append(QStringLiteral("高一(%1)班").arg(c));
        QStringList lines;
        for (int i = 0; i < UploadLines; ++i)
            lines.append(QStringLiteral("%1\t%2\t%3分\t2024-03-15 08:%4:%5\t")
                             .arg(classes[i % 4], students[i % 50])
                             .arg(i % 6)
                             .arg(i / 60, 2, 10, QLatin1Char('0'))
                             .arg(i % 60, 2, 10, QLatin1Char('0')));
        m_ready = true;
        for (int t = 0; t < Teachers && m_ready; ++t) {
            const QString account = QStringLiteral("username=bench%1&password=op").arg(t);
            m_ready = post("/regteacher.php",
                           QStringLiteral("username=bench%1&teachername=王老师&password=pw"
                                          "&superpassword=op&email=b@example.com&mb=&tel=&qq=")
                               .arg(t)) &&
                      post("/setclass.php", account + "&class=" + classes.join(u'|'));
            for (const QString& name : classes)
                m_ready = m_ready && post("/student.php", account + "&class=" + name +
                                                              "&student=" + students.join(u'|'));
            m_uploads.append(
                encodeGb18030Url(account + "&keti=函数&score=" + lines.join(u'|')).toLatin1());
        }
    }
    bool isReady() const { return m_ready; }
    bool upload(int teacher) {
        return m_protocol->handle(request("/index.php", m_uploads[teacher % Teachers])).body ==
               "Success!";
    }

private:
    static Request request(const char* path, const QByteArray& body) {
        return {"POST", path, {}, body, QStringLiteral("127.0.0.1")};
    }
    bool post(const char* path, const QString& body) {
        return bench::postForm(*m_protocol, path, body);
    }

    QTemporaryDir m_dir;
    Database m_database;
    std::unique_ptr<Protocol> m_protocol;
    QList<QByteArray> m_uploads;
    bool m_ready = false;
};

UploadTarget& sqliteTarget() {
    static QTemporaryDir dir;
    static UploadTarget target(dir.filePath(QStringLiteral("bench.sqlite")));
    return target;
}

UploadTarget* postgresTarget() {
    static test::PostgresCluster cluster;
    static std::unique_ptr<UploadTarget> target =
        cluster.isRunning() ? std::make_unique<UploadTarget>(cluster.createDatabase()) : nullptr;
    return target.get();
}

// User and system time of the whole process so far, in milliseconds: with group commit one
// thread writes the others' uploads, so a thread's own time says little.
double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void uploadUntilDone(benchmark::State& state, UploadTarget* target) {
    if (!target || !target->isReady()) {
        state.SkipWithError("the database is not available");
        return;
    }
    // Every thread runs as many iterations, between common start and end barriers.
    const double cpuBefore = state.thread_index() == 0 ? processCpuMs() : 0;
    for (auto _ : state)
        if (!target->upload(state.thread_index()))
            state.SkipWithError("an upload was refused");
    state.SetItemsProcessed(state.iterations());
    if (state.thread_index() == 0)
        state.counters["cpu_ms_per_upload"] =
            (processCpuMs() - cpuBefore) / double(state.iterations() * state.threads());
}

void UploadSqlite(benchmark::State& state) {
    uploadUntilDone(state, &sqliteTarget());
}

void UploadPostgres(benchmark::State& state) {
    uploadUntilDone(state, postgresTarget());
}

} // namespace

BENCHMARK(UploadSqlite)->Threads(1)->Threads(4)->Threads(16)->UseRealTime();
BENCHMARK(UploadPostgres)->Threads(1)->Threads(4)->Threads(16)->UseRealTime();
