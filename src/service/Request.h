#pragma once
// One HTTP exchange as the protocol sees it, free of any socket or server library.

#include <QByteArray>
#include <QString>

namespace ordalis::service {

struct Request {
    QByteArray method; // "GET", "POST", "HEAD"
    QByteArray path;   // "/record.php", without the query
    QByteArray query;  // raw bytes after "?", still percent-encoded
    QByteArray body;   // raw form body, still percent-encoded
    QString peer;      // client address, the unit of per-client throttling
};

struct Reply {
    int status = 200;
    QByteArray contentType;
    QByteArray body;

    // Protocol replies travel as GBK plain text, the code page the program decodes.
    static Reply text(const QString& text, int status = 200);
    // A read refused for its credentials: 403, so that a download never takes the refusal
    // for the teacher's data.
    static Reply forbidden(const QString& reason);
    static Reply html(const QString& page);
    static Reply bytes(QByteArray body, QByteArray contentType);
    static Reply error(int status, const QString& message);
};

} // namespace ordalis::service
