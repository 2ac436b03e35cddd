// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answer to one request as the protocol builds it, free of any socket or server library.

#include <QByteArray>
#include <QString>

namespace ordalis::service {

struct Reply {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QByteArray disposition; // Content-Disposition of a download; empty for a page or a text

    // Protocol replies travel as GB18030 plain text, the code page the program decodes.
    static Reply text(const QString& text, int status = 200);
    // A read refused for its credentials: 403, so that a download never takes the refusal
    // for the teacher's data.
    static Reply forbidden(const QString& reason);
    static Reply html(const QString& page);
    static Reply bytes(QByteArray body, QByteArray contentType);
    static Reply error(int status, const QString& message);
};

} // namespace ordalis::service
