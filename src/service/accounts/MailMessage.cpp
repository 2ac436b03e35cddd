// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/MailMessage.h"

namespace ordalis::service {

QByteArray composeMail(const QString& from, const QString& to, const QString& subject,
                       const QString& body, const QDateTime& date) {
    QByteArray message;
    message += "To: " + to.toUtf8() + "\r\n";
    message += "From: " + from.toUtf8() + "\r\n";
    message += "Subject: =?UTF-8?B?" + subject.toUtf8().toBase64() + "?=\r\n";
    message += "Date: " + date.toString(Qt::RFC2822Date).toUtf8() + "\r\n";
    message += "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
               "Content-Transfer-Encoding: 8bit\r\n\r\n";
    message += body.toUtf8();
    message += "\r\n";
    return message;
}

} // namespace ordalis::service
