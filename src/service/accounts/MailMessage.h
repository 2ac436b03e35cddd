// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One outgoing mail as a complete RFC 5322 message in UTF-8, headers included, with CR LF
// line ends.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace ordalis::service {

// The sender as it appears in the From header, for instance "Ordalis <noreply@school.example>".
inline const QString DefaultMailSender = QStringLiteral("Ordalis <noreply@localhost>");

QByteArray composeMail(const QString& from, const QString& to, const QString& subject,
                       const QString& body, const QDateTime& date);

} // namespace ordalis::service
