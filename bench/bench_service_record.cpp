// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher record as record.php builds it (not the copy it keeps while nothing changed):
// 20 classes of 50 students, two topics of four standards, 2000 scores, on SQLite.

#include "BenchData.h"
#include "BenchService.h"
#include "protocol/RecordBuilder.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ordalis;
using namespace ordalis::service;

namespace {

class RecordTeacher {
public:
    RecordTeacher()
        : m_database(m_dir.filePath(QStringLiteral("record.sqlite")))
        , m_protocol(bench::openProtocol(m_database, m_dir.path())) {
        if (!m_protocol)
            return;
        const QString account = QStringLiteral("username=bench&password=op");
        QStringList students;
        for (int i = 0; i < 50; ++i)
            students.append(bench::studentName(i));
        QStringList classes;
        for (int c = 1; c <= 20; ++c)
            classes.append(QStringLiteral("高一(%1)班").arg(c));
        m_ready = post("/regteacher.php", QStringLiteral("username=bench&teachername=王老师"
                                                         "&password=pw&superpassword=op"
                                                         "&email=b@example.com&mb=&tel=&qq=")) &&
                  post("/setclass.php", account + "&class=" + classes.join(u'|')) &&
                  post("/setketi.php", account + "&keti=函数|几何");
        for (const QString& topic : {QStringLiteral("函数"), QStringLiteral("几何")})
            m_ready =
                m_ready && post("/newscale.php", account + "&keti=" + topic +
                                                     "&newscale=正确\t清晰\t基本正确\t需要提示"
                                                     "&newscore=5\t4.5\t3\t2");
        for (const QString& name : classes) {
            QStringList lines;
            for (int i = 0; i < 100; ++i)
                lines.append(QStringLiteral("%1\t%2\t%3分\t2024-03-15 08:%4:00\t正确")
                                 .arg(name, students[i % 50])
                                 .arg(i % 6)
                                 .arg(i % 60, 2, 10, QLatin1Char('0')));
            m_ready = m_ready &&
                      post("/student.php",
                           account + "&class=" + name + "&student=" + students.join(u'|')) &&
                      post("/index.php", account + "&keti=函数&score=" + lines.join(u'|'));
        }
    }
    bool isReady() const { return m_ready; }
    QByteArray build() { return buildRecord(m_database.connection(), 1); }

private:
    bool post(const char* path, const QString& body) {
        return bench::postForm(*m_protocol, path, body);
    }

    QTemporaryDir m_dir;
    Database m_database;
    std::unique_ptr<Protocol> m_protocol;
    bool m_ready = false;
};

void RecordBuild(benchmark::State& state) {
    static RecordTeacher teacher;
    if (!teacher.isReady()) {
        state.SkipWithError("the teacher could not be set up");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(teacher.build());
}

} // namespace

BENCHMARK(RecordBuild)->Unit(benchmark::kMicrosecond);
