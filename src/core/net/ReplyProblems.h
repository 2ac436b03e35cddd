// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a request got no answer of the service's protocol, in words a teacher can act on: a
// certificate the program cannot verify, or a reply that another server gave in its place (a
// redirect to HTTPS, a proxy's error page, a network's login portal); and what a window says
// when a request got no answer.

#include "text/Refusal.h"

#include <QByteArray>
#include <QList>
#include <QSslError>
#include <QString>

namespace ordalis {

QString certificateProblem(const QString& host, const QList<QSslError>& errors);

// Empty for a reply the protocol gives: status 200 with no HTML page, or a 4xx or 5xx with the
// service's own reason in plain text (失败次数过多…, 请求缺少字段…). Anything else, a redirect or
// an HTML page, is named with its status.
QString unexpectedReplyProblem(int status, const QByteArray& contentType, const QByteArray& body);

// A refusal of Kind::NoAnswer as a window says it: the problem the program knows of where there
// is one (such a refusal has no status: nothing of the protocol came), otherwise the window's
// own words for a lost answer.
QString noAnswerText(const Refusal& failure, const QString& lostAnswer);
// The same, with the text that came (an error status's reason, as a rule) on the line before
// the window's words, for the windows that show it.
QString noAnswerTextWithReply(const Refusal& failure, const QString& lostAnswer);

} // namespace ordalis
