// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/Reply.h"

#include "text/Gb18030.h"

namespace ordalis::service {

Reply Reply::text(const QString& text, int status) {
    return {status, QByteArrayLiteral("text/plain; charset=GB18030"), gb18030::encode(text), {}};
}

Reply Reply::refused(const Refusal& refusal) {
    return text(refusal.text, refusal.httpStatus != 0 ? refusal.httpStatus : 200);
}

Reply Reply::html(const QString& page) {
    return {200, QByteArrayLiteral("text/html; charset=UTF-8"), page.toUtf8(), {}};
}

Reply Reply::bytes(QByteArray body, QByteArray contentType) {
    return {200, std::move(contentType), std::move(body), {}};
}

Reply Reply::error(int status, const QString& message) {
    return text(message, status); // in the one charset of every reply the program reads
}

} // namespace ordalis::service
