// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceProcess.h"

#include "text/WireText.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <csignal>
#include <sys/prctl.h>

namespace ordalis::test {

ServiceProcess::ServiceProcess(QStringList extraArgs)
    : m_extraArgs(std::move(extraArgs)) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that crashes takes its service along instead of leaving it to hold the test's
    // output open.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

ServiceProcess::~ServiceProcess() {
    stop();
}

QString ServiceProcess::databasePath() const {
    return m_dir.filePath(QStringLiteral("service.sqlite"));
}

bool ServiceProcess::start() {
    if (m_process.state() != QProcess::NotRunning)
        return true;
    m_baseUrl.clear();
    m_port = 0;
    m_process.start(QStringLiteral(ORDALIS_SERVICE_BIN),
                    QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                                QStringLiteral("--database"), databasePath()} +
                        m_extraArgs);
    if (!m_process.waitForStarted(5000))
        return false;
    const QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!deadline.hasExpired()) {
        if (m_process.canReadLine() || m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            output += m_process.readLine();
            const int at = output.indexOf("Listening on ");
            if (at >= 0 && output.endsWith('\n')) {
                m_baseUrl = QString::fromLatin1(output.mid(at + 13).trimmed());
                m_port = quint16(QUrl(m_baseUrl).port());
                return m_port != 0;
            }
        }
        if (m_process.state() == QProcess::NotRunning)
            return false;
    }
    kill();
    return false;
}

void ServiceProcess::logTo(const QString& file) {
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardErrorFile(file, QIODevice::Append);
}

void ServiceProcess::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        kill();
}

void ServiceProcess::kill() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

bool ServiceProcess::registerTeacher(const QString& user, const QString& loginPassword,
                                     const QString& operationPassword, const QString& teacherName,
                                     const QString& email) {
    const QString body =
        QStringLiteral("username=%1&teachername=%2&password=%3&superpassword=%4&email=%5"
                       "&mb=&tel=&qq=")
            .arg(user, teacherName, loginPassword, operationPassword, email);
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(m_baseUrl + QStringLiteral("/regteacher.php")));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    QNetworkReply* reply = manager.post(request, encodeGb18030Url(body).toLatin1());
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    const bool done = reply->isFinished() && reply->error() == QNetworkReply::NoError &&
                      reply->readAll() == "Success!";
    reply->abort();
    reply->deleteLater();
    return done;
}

} // namespace ordalis::test
