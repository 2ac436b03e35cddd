// SPDX-License-Identifier: GPL-3.0-or-later
// 200-line score uploads through the service's protocol (no sockets) by 1, 4 and 16 clients at
// once, on SQLite (synced to disk at every commit) and on a throwaway PostgreSQL cluster:
// concurrent uploads share commits, so more clients should not mean fewer uploads per second.

#include "BenchData.h"
#include "PostgresCluster.h"
#include "protocol/Protocol.h"
#include "storage/Database.h"
#include "text/WireText.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace ordalis;
using namespace ordalis::service;

namespace {

constexpr int UploadLines = 200;

class UploadTarget {
public:
    explicit UploadTarget(const QString& location)
        : m_database(location) {
        ServiceOptions options;
        options.hashCost = HashCost::Minimal;
        options.mailSpool = m_dir.filePath(QStringLiteral("mail"));
        QString error;
        if (!m_database.open(&error))
            return;
        m_protocol = std::make_unique<Protocol>(m_database, options);
        QStringList students;
        for (int i = 0; i < 50; ++i)
            students.append(bench::studentName(i));
        QStringList lines;
        for (int i = 0; i < UploadLines; ++i)
            lines.append(QStringLiteral("一班\t%1\t%2分\t2024-03-15 08:%3:%4\t")
                             .arg(students[i % 50])
                             .arg(i % 6)
                             .arg(i / 60, 2, 10, QLatin1Char('0'))
                             .arg(i % 60, 2, 10, QLatin1Char('0')));
        const QString account = QStringLiteral("username=bench1&password=op");
        m_ready = post("/regteacher.php", "username=bench1&teachername=王老师&password=pw"
                                          "&superpassword=op&email=b@example.com&mb=&tel=&qq=") &&
                  post("/setclass.php", account + "&class=一班") &&
                  post("/student.php", account + "&class=一班&student=" + students.join(u'|'));
        m_upload = encodeGb18030Url(account + "&keti=函数&score=" + lines.join(u'|')).toLatin1();
    }
    bool isReady() const { return m_ready; }
    bool upload() { return m_protocol->handle(request("/index.php", m_upload)).body == "Success!"; }

private:
    static Request request(const char* path, const QByteArray& body) {
        return {"POST", path, {}, body, QStringLiteral("127.0.0.1")};
    }
    bool post(const char* path, const QString& body) {
        return m_protocol->handle(request(path, encodeGb18030Url(body).toLatin1())).body == "Success!";
    }

    QTemporaryDir m_dir;
    Database m_database;
    std::unique_ptr<Protocol> m_protocol;
    QByteArray m_upload;
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

void uploadUntilDone(benchmark::State& state, UploadTarget* target) {
    if (!target || !target->isReady()) {
        state.SkipWithError("the database is not available");
        return;
    }
    for (auto _ : state)
        if (!target->upload())
            state.SkipWithError("an upload was refused");
    state.SetItemsProcessed(state.iterations());
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
