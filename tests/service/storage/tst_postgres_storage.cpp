// SPDX-License-Identifier: GPL-3.0-or-later
// The same protocol on PostgreSQL: a throwaway cluster in a temporary folder. Skipped where
// PostgreSQL's server programs are not installed or cannot be started.

#include "ProtocolFixture.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <unistd.h>

using namespace ordalis::service::test;

namespace {

QString serverBinaries() {
    const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto it = versions.crbegin(); it != versions.crend(); ++it) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(*it);
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    return {};
}

quint16 freePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace

class PostgresStorageTest : public QObject {
    Q_OBJECT

private:
    // PostgreSQL refuses to run as root; then its programs run as the postgres account.
    bool run(const QString& program, const QStringList& arguments) {
        QProcess process;
        if (geteuid() == 0)
            process.start(QStringLiteral("runuser"),
                          QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                      QStringLiteral("--"), program} +
                              arguments);
        else
            process.start(program, arguments);
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QString createDatabase() {
        const QString name = QStringLiteral("ordalis_%1").arg(++m_databases);
        {
            QSqlDatabase admin =
                QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
            admin.setHostName(QStringLiteral("127.0.0.1"));
            admin.setPort(m_port);
            admin.setUserName(QStringLiteral("postgres"));
            admin.setDatabaseName(QStringLiteral("postgres"));
            if (admin.open())
                QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE ") + name);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("admin"));
        return QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(m_port).arg(name);
    }

    QString m_bin;
    QString m_data;
    QTemporaryDir m_dir;
    quint16 m_port = 0;
    int m_databases = 0;
    bool m_running = false;

private Q_SLOTS:
    void initTestCase() {
        m_bin = serverBinaries();
        if (m_bin.isEmpty() || !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            QSKIP("PostgreSQL server or Qt's QPSQL driver not installed");
        m_data = m_dir.filePath(QStringLiteral("cluster"));
        QDir().mkpath(m_data);
        if (geteuid() == 0) {
            QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("755"), m_dir.path()});
            QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres"), m_data});
        }
        m_port = freePort();
        if (!run(m_bin + "/initdb", {"-D", m_data, "-A", "trust", "-U", "postgres", "-E", "UTF8"}))
            QSKIP("initdb failed");
        m_running = run(
            m_bin + "/pg_ctl",
            {"-D", m_data, "-w", "-l", m_data + "/server.log", "-o",
             QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1").arg(m_port).arg(m_data),
             "start"});
        if (!m_running)
            QSKIP("the PostgreSQL server did not start");
    }

    void cleanupTestCase() {
        if (m_running)
            run(m_bin + "/pg_ctl", {"-D", m_data, "-m", "immediate", "stop"});
    }

    void recordAndChangesMatchSqlite() {
        AliceFixture f({}, createDatabase());
        QVERIFY2(f.ready, qPrintable(f.error));
        QCOMPARE(f.upload(QStringLiteral("函数"),
                          {QStringLiteral("一班\t张三\t5分\t2024-03-15 08:01:02\t正确"),
                           QStringLiteral("一班\t张三\t2\t2024-03-15 08:02:02\t")}),
                 QStringLiteral("Success!"));
        QCOMPARE(f.record(), QStringLiteral("Class_Is_Ready\t一班\t二班\t\r\n"
                                            "[keti]\t函数\t正确\t5\t部分正确\t2.5\r\n"
                                            "[keti]\t数列\r\n"
                                            "一班\t张三\t0\t7\t3.5\t2\r\n"
                                            "一班\t李四\t0\t0\t0\t0\r\n"
                                            "一班\t王五\t0\t0\t0\t0\r\n"
                                            "二班\t赵六\t0\t0\t0\t0\r\n"));
        const QString id =
            f.read("/getscore.php", QStringLiteral("class=一班&")).section(u'\t', 0, 0);
        QCOMPARE(f.change("/delscore.php", QStringLiteral("&class=一班&delid=|") + id),
                 QStringLiteral("Success!"));
        QCOMPARE(f.change("/setclass.php", QStringLiteral("&class=二班")),
                 QStringLiteral("Success!"));
        QCOMPARE(f.read("/getscore.php", QStringLiteral("class=一班&")), QString());
        QVERIFY(f.record().startsWith(QStringLiteral("Class_Is_Ready\t二班\t\r\n")));
    }

    void refusedUploadWritesNothing() {
        AliceFixture f({}, createDatabase());
        QVERIFY(f.ready);
        QVERIFY(f.upload(QStringLiteral("函数"),
                         {QStringLiteral("一班\t张三\t5\t2024-03-15 08:01:02\t"),
                          QStringLiteral("一班\t张三\t优\t2024-03-15 08:01:02\t")})
                    .contains(QStringLiteral("第2行")));
        QCOMPARE(f.read("/getscore.php", QStringLiteral("class=一班&")), QString());
        QVERIFY(
            f.registerTeacher(QStringLiteral("bob1"), QStringLiteral("pw"), QStringLiteral("op")));
        QVERIFY(
            !f.registerTeacher(QStringLiteral("bob1"), QStringLiteral("pw"), QStringLiteral("op")));
    }
};

QTEST_GUILESS_MAIN(PostgresStorageTest)
#include "tst_postgres_storage.moc"
