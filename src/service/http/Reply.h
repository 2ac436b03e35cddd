// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answer to one request as the protocol builds it, free of any socket or server library.

#include "text/Refusal.h"

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
    // The refusal's text, with its status (200 where it has none).
    static Reply refused(const Refusal& refusal);
    static Reply html(const QString& page);
    static Reply bytes(QByteArray body, QByteArray contentType);
    static Reply error(int status, const QString& message);
};

} // namespace ordalis::service
