// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpClient.h"

#include "ReplyProblems.h"
#include "text/WireText.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace ordalis {

namespace {

const QByteArray ReplyCharset = "GB2312";

} // namespace

HttpClient::HttpClient(std::chrono::milliseconds timeout)
    : m_timeout(timeout)
    , m_manager(std::make_unique<QNetworkAccessManager>()) {}

HttpClient::~HttpClient() = default;

void HttpClient::setExtraCaCertificates(const QList<QSslCertificate>& certificates) {
    if (certificates == m_extraCa)
        return;
    m_extraCa = certificates;
    m_tls.reset();
    if (certificates.isEmpty())
        return;
    // Adding to the default set would turn off the system's authorities, which OpenSSL loads
    // from their folder on demand: they are named here together with the school's.
    m_tls = QSslConfiguration::defaultConfiguration();
    m_tls->setCaCertificates(QSslConfiguration::systemCaCertificates() + certificates);
}

QNetworkRequest HttpClient::makeRequest(const QUrl& url) const {
    QNetworkRequest request(url);
    // Always ask the service itself: a cached record or clock would show stale data.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // A redirected POST would carry the operation password somewhere else, a redirected read
    // the mp; a redirect is no answer from the service, but an address to correct.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    if (m_tls)
        request.setSslConfiguration(*m_tls);
    return request;
}

HttpClient::Reply HttpClient::taken(QNetworkReply& reply, bool timedOut,
                                    const QList<QSslError>& sslErrors) {
    Reply result;
    result.httpStatus = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // An application quitting during the wait leaves the reply unfinished.
    result.complete = !timedOut && reply.isFinished() && reply.error() == QNetworkReply::NoError;
    if (reply.isOpen()) // an aborted reply is closed and has nothing to read
        result.body = reply.readAll();
    if (!sslErrors.isEmpty())
        result.problem = certificateProblem(reply.url().host(), sslErrors);
    else if (result.httpStatus != 0 && !timedOut)
        result.problem = unexpectedReplyProblem(
            result.httpStatus, reply.header(QNetworkRequest::ContentTypeHeader).toByteArray(),
            result.body);
    return result;
}

HttpClient::Reply HttpClient::await(QNetworkReply* pending) const {
    std::unique_ptr<QNetworkReply> reply(pending);
    QList<QSslError> sslErrors;
    QObject::connect(reply.get(), &QNetworkReply::sslErrors, reply.get(),
                     [&sslErrors](const QList<QSslError>& errors) { sslErrors = errors; });
    bool timedOut = false;
    if (!reply->isFinished()) {
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            reply->abort();
            loop.quit();
        });
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        deadline.start(m_timeout);
        loop.exec();
    }
    return taken(*reply, timedOut, sslErrors);
}

bool HttpClient::answered(const Reply& reply) {
    return reply.httpStatus == 200 && reply.complete && reply.problem.isEmpty();
}

Refusal HttpClient::noAnswer(const Reply& reply) {
    if (!reply.problem.isEmpty())
        return Refusal{reply.problem, 0, Refusal::Kind::NoAnswer};
    return Refusal{decodeText(reply.body, ReplyCharset), reply.httpStatus, Refusal::Kind::NoAnswer};
}

Expected<> HttpClient::postForm(const QUrl& url, const QByteArray& encodedBody,
                                const QString& successWord) {
    QNetworkRequest request = makeRequest(url);
    request.setRawHeader("Content-Length", QByteArray::number(encodedBody.size()));
    request.setRawHeader("CONTENT-TYPE", "application/x-www-form-urlencoded");

    const Reply reply = await(m_manager->post(request, encodedBody));
    if (!answered(reply))
        return noAnswer(reply);
    QString text = decodeText(reply.body, ReplyCharset);
    if (text == successWord)
        return {};
    return refusal(std::move(text), reply.httpStatus);
}

QString HttpClient::getText(const QUrl& url, const QByteArray& charset) {
    QNetworkRequest request = makeRequest(url);
    request.setRawHeader("If-Modified-Since", "0");
    const Reply reply = await(m_manager->get(request));
    return reply.problem.isEmpty() ? decodeText(reply.body, charset) : QString();
}

Expected<QString> HttpClient::getAnswer(const QUrl& url, const QByteArray& charset) {
    QNetworkRequest request = makeRequest(url);
    request.setRawHeader("If-Modified-Since", "0");
    const Reply reply = await(m_manager->get(request));
    if (!answered(reply))
        return noAnswer(reply);
    return decodeText(reply.body, charset);
}

void HttpClient::getTextLater(const QUrl& url, const QObject* context, TextHandler done,
                              const QByteArray& charset) {
    QNetworkRequest request = makeRequest(url);
    request.setRawHeader("If-Modified-Since", "0");
    request.setTransferTimeout(int(m_timeout.count()));
    QNetworkReply* reply = m_manager->get(request);
    auto sslErrors = std::make_shared<QList<QSslError>>();
    QObject::connect(reply, &QNetworkReply::sslErrors, reply,
                     [sslErrors](const QList<QSslError>& errors) { *sslErrors = errors; });
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(reply, &QNetworkReply::finished, context,
                     [reply, sslErrors, done = std::move(done), charset] {
                         // A timed-out reply has been aborted and holds nothing to read.
                         const Reply answer = taken(*reply, false, *sslErrors);
                         done(answer.problem.isEmpty() ? decodeText(answer.body, charset)
                                                       : QString());
                     });
}

HttpClient::Download HttpClient::downloadToFile(const QUrl& url, const QString& filePath,
                                                const ContentCheck& accept) {
    const Reply reply = await(m_manager->get(makeRequest(url)));
    if (!answered(reply))
        return noAnswer(reply);
    if (accept && !accept(reply.body))
        return refusal(decodeText(reply.body, ReplyCharset), reply.httpStatus);
    return replaceFile(filePath, reply.body);
}

} // namespace ordalis
