// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyProblems.h"

#include <QStringList>

namespace ordalis {

namespace {

// No reply of the protocol is a page: its texts and records start with a word or a name.
bool isHtmlPage(const QByteArray& contentType, const QByteArray& body, int status) {
    const QByteArray start = body.trimmed().left(14).toLower();
    return start.startsWith("<!doctype html") || start.startsWith("<html") ||
           (status != 200 && contentType.trimmed().toLower().startsWith("text/html"));
}

bool namesProblem(const Refusal& failure) {
    return failure.httpStatus == 0 && !failure.text.isEmpty();
}

} // namespace

QString certificateProblem(const QString& host, const QList<QSslError>& errors) {
    QStringList reasons;
    for (const QSslError& error : errors)
        if (!reasons.contains(error.errorString()))
            reasons.append(error.errorString());
    return QStringLiteral("无法验证服务器 %1 的证书：%2。如果学校使用自己的证书，请在设置中用 "
                          "ca-certificates= 指定证书文件。")
        .arg(host, reasons.join(QStringLiteral("；")));
}

QString unexpectedReplyProblem(int status, const QByteArray& contentType, const QByteArray& body) {
    const bool protocolStatus = status == 200 || (status >= 400 && status < 600);
    if (protocolStatus && !isHtmlPage(contentType, body, status))
        return {};
    return QStringLiteral("服务器返回了意外的内容（HTTP %1），请检查服务器地址").arg(status);
}

QString noAnswerText(const Refusal& failure, const QString& lostAnswer) {
    return namesProblem(failure) ? failure.text : lostAnswer;
}

QString noAnswerTextWithReply(const Refusal& failure, const QString& lostAnswer) {
    return namesProblem(failure) ? failure.text
                                 : failure.text + QStringLiteral("\r\n") + lostAnswer;
}

} // namespace ordalis
