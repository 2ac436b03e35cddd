// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real ordalis-service started on a free loopback port with a temporary database of its
// own, for end-to-end tests.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace ordalis::test {

class ServiceProcess {
public:
    explicit ServiceProcess(QStringList extraArgs = {});
    ~ServiceProcess();

    // Starts the service (again, after stop() or kill(), on the same database) and waits up to
    // ten seconds for its "Listening on" line.
    bool start();
    QString baseUrl() const { return m_baseUrl; }
    quint16 port() const { return m_port; }
    QString databasePath() const;
    QString mailSpoolPath() const { return databasePath() + QStringLiteral(".mail"); }

    // Its standard error (the service's log) appended to the file instead of the test's own,
    // from the next start on.
    void logTo(const QString& file);

    void stop(); // SIGTERM, then SIGKILL if it does not end
    void kill(); // SIGKILL at once

    // Registers an account through regteacher.php with plain HTTP; true on "Success!".
    bool registerTeacher(const QString& user, const QString& loginPassword,
                         const QString& operationPassword,
                         const QString& teacherName = QStringLiteral("测试老师"),
                         const QString& email = QStringLiteral("t@example.com"));

private:
    QStringList m_extraArgs;
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_baseUrl;
    quint16 m_port = 0;
};

} // namespace ordalis::test
