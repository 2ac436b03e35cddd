// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A throwaway PostgreSQL cluster in a temporary folder on a free loopback port, for tests and
// benchmarks. Connections as "postgres" need no password; the role "ordalis_app", once created,
// must give one, as a school's service account would.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace ordalis::test {

class PostgresCluster {
public:
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // Whether the server runs; false where PostgreSQL or Qt's QPSQL driver is not installed.
    bool isRunning() const { return m_running; }
    quint16 port() const { return m_port; }
    // A fresh database as "postgresql://postgres@127.0.0.1:PORT/NAME"; each statement of
    // `administration` runs afterwards as postgres, with "%1" standing for the database name.
    QString createDatabase(const QStringList& administration = {});
    // Runs one of the server's programs (pg_dump, pg_restore, ...) as the cluster's owner.
    bool run(const QString& program, const QStringList& arguments) const;
    QString program(const QString& name) const { return m_bin + u'/' + name; }
    void stop();  // the server goes away, as a crashed or stopped database server does
    bool start(); // after stop(): the same cluster on the same port; true once it runs

private:
    QTemporaryDir m_dir;
    QString m_bin;
    QString m_data;
    quint16 m_port = 0;
    int m_databases = 0;
    bool m_running = false;
};

} // namespace ordalis::test
