// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/MailSpool.h"

#include <QDateTime>
#include <QDir>
#include <QSaveFile>

namespace ordalis::service {

MailSpool::MailSpool(QString folder)
    : m_folder(std::move(folder)) {}

bool MailSpool::send(const QString& account, const QString& to, const QString& subject,
                     const QString& body) const {
    if (!QDir().mkpath(m_folder))
        return false;
    const QDateTime now = QDateTime::currentDateTime();
    const QString name = QStringLiteral("%1-%2.eml")
                             .arg(now.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")), account);
    QSaveFile file(QDir(m_folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray encodedSubject = "=?UTF-8?B?" + subject.toUtf8().toBase64() + "?=";
    QByteArray message;
    message += "To: " + to.toUtf8() + "\r\n";
    message += "From: Ordalis <noreply@localhost>\r\n";
    message += "Subject: " + encodedSubject + "\r\n";
    message += "Date: " + now.toString(Qt::RFC2822Date).toUtf8() + "\r\n";
    message += "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
               "Content-Transfer-Encoding: 8bit\r\n\r\n";
    message += body.toUtf8();
    message += "\r\n";
    file.write(message);
    return file.commit();
}

} // namespace ordalis::service
