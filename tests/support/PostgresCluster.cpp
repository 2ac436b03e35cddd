// SPDX-License-Identifier: GPL-3.0-or-later

#include "PostgresCluster.h"

#include "LoopbackHttp.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <unistd.h>

namespace ordalis::test {

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

} // namespace

PostgresCluster::PostgresCluster() {
    m_bin = serverBinaries();
    if (m_bin.isEmpty() || !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return;
    m_data = m_dir.filePath(QStringLiteral("cluster"));
    QDir().mkpath(m_data);
    if (geteuid() == 0) {
        QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("755"), m_dir.path()});
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres"), m_data});
    }
    m_port = freeLoopbackPort();
    if (!run(m_bin + "/initdb", {"-D", m_data, "-A", "trust", "-U", "postgres", "-E", "UTF8"}))
        return;
    QFile hba(m_data + QStringLiteral("/pg_hba.conf"));
    if (!hba.open(QIODevice::ReadWrite))
        return;
    const QByteArray rules = hba.readAll();
    hba.resize(0);
    hba.write("host all ordalis_app 127.0.0.1/32 scram-sha-256\n" + rules);
    hba.close();
    start();
}

bool PostgresCluster::start() {
    if (!m_running)
        m_running = run(
            m_bin + "/pg_ctl",
            {"-D", m_data, "-w", "-l", m_data + "/server.log", "-o",
             QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1").arg(m_port).arg(m_data),
             "start"});
    return m_running;
}

PostgresCluster::~PostgresCluster() {
    stop();
}

void PostgresCluster::stop() {
    if (m_running)
        run(m_bin + "/pg_ctl", {"-D", m_data, "-m", "immediate", "stop"});
    m_running = false;
}

// PostgreSQL refuses to run as root; then its programs run as the postgres account.
bool PostgresCluster::run(const QString& program, const QStringList& arguments) const {
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

QString PostgresCluster::createDatabase(const QStringList& administration) {
    const QString name = QStringLiteral("ordalis_%1").arg(++m_databases);
    const QString connection = QStringLiteral("ordalis-cluster-admin");
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        admin.setHostName(QStringLiteral("127.0.0.1"));
        admin.setPort(m_port);
        admin.setUserName(QStringLiteral("postgres"));
        admin.setDatabaseName(QStringLiteral("postgres"));
        if (admin.open()) {
            QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE ") + name);
            for (const QString& statement : administration)
                QSqlQuery(admin).exec(QString(statement).replace(QStringLiteral("%1"), name));
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(m_port).arg(name);
}

} // namespace ordalis::test
