// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's ways of talking HTTP to the score service and the maker's site, in the two ways
// of waiting the program has. Every call but getTextLater waits for its reply with the event
// loop running (all events), so the window repaints, takes clicks and the class timer keeps
// counting; the caller runs it through its window's RequestGate, which holds the controls that
// must not be used meanwhile. getTextLater waits for nothing: its handler gets the reply, for
// checks nobody waits for. A reply that does not arrive within the timeout ends the wait as a
// network failure instead of freezing the program in front of a class. No HTTP cache is used,
// no redirect is followed and no certificate error is passed over: a redirect or a page that
// is not the protocol's, and a certificate that cannot be verified, are failures that say why.

#include "session/FileWrite.h"
#include "text/Refusal.h"

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QObject;
class QNetworkRequest;
class QNetworkReply;

namespace ordalis {

class HttpClient {
public:
    static constexpr std::chrono::milliseconds DefaultTimeout{30000};

    explicit HttpClient(std::chrono::milliseconds timeout = DefaultTimeout);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    std::chrono::milliseconds timeout() const { return m_timeout; }
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    // Certificates trusted for HTTPS besides the system's: a school's own authority.
    void setExtraCaCertificates(const QList<QSslCertificate>& certificates);

    // Posts an already encoded form body. Done only for status 200 with a reply exactly equal
    // to the success word; refused (Kind::Refused, status 200, the reply decoded as GB18030)
    // for any other complete status-200 reply of the protocol; everything else (other status,
    // a page that is not the protocol's, cut or refused connection, certificate error,
    // timeout, unusable URL) is Kind::NoAnswer: see noAnswer() for its text and status.
    Expected<> postForm(const QUrl& url, const QByteArray& encodedBody, const QString& successWord);

    // The reply body decoded in the charset, whatever the status; the empty text for a reply
    // that is not the protocol's, and whatever text came (as a rule none) when the request fails.
    QString getText(const QUrl& url, const QByteArray& charset = "GB2312");
    // The same for a reader that must tell an empty answer from none: the text of a complete
    // status-200 reply of the protocol, or Kind::NoAnswer as for postForm.
    Expected<QString> getAnswer(const QUrl& url, const QByteArray& charset = "GB2312");

    // getText without waiting: returns at once, and `done` receives the text when the reply is
    // in (the empty text on failure, timeout or a reply that is not the protocol's). Nothing is
    // called once `context` is gone.
    using TextHandler = std::function<void(const QString&)>;
    void getTextLater(const QUrl& url, const QObject* context, TextHandler done,
                      const QByteArray& charset = "GB2312");

    // Replaces the file with the resource, atomically and only after a complete status-200
    // reply that `accept` (when given) takes: a failed, cut or refused download leaves the
    // previous file exactly as it was, and so does a file that cannot be written. The write's
    // outcome once a reply was taken; a refusal when none was: NoAnswer as for postForm, or
    // Refused (status 200, the reply's text) for a reply `accept` turned down.
    using ContentCheck = std::function<bool(const QByteArray&)>;
    using Download = Expected<FileWrite>;
    Download downloadToFile(const QUrl& url, const QString& filePath,
                            const ContentCheck& accept = {});

private:
    struct Reply {
        int httpStatus = 0;
        bool complete = false; // the whole reply arrived without error
        QByteArray body;
        // What the program knows beyond a lost answer, in Chinese: a certificate it cannot
        // verify, a reply that is not the service's. Empty otherwise.
        QString problem;
    };
    // Whether the reply is one of the protocol at all: complete, status 200, no problem.
    static bool answered(const Reply& reply);
    // A reply that is no answer: with the problem where there is one (status 0: nothing of the
    // protocol came), otherwise with the reply's status and text (the service's reason for an
    // error status, as a rule; the empty text when nothing came).
    static Refusal noAnswer(const Reply& reply);
    QNetworkRequest makeRequest(const QUrl& url) const;
    Reply await(QNetworkReply* reply) const;
    static Reply taken(QNetworkReply& reply, bool timedOut, const QList<QSslError>& sslErrors);

    std::chrono::milliseconds m_timeout;
    std::unique_ptr<QNetworkAccessManager> m_manager;
    QList<QSslCertificate> m_extraCa;
    std::optional<QSslConfiguration> m_tls; // the system's authorities and m_extraCa
};

} // namespace ordalis
