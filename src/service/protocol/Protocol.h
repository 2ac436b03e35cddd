// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score service's protocol as a plain function from request to reply: every endpoint the
// program calls, and the browser pages. Safe to call from several threads at once.

#include "http/Reply.h"
#include "http/Request.h"
#include "protocol/ServiceContext.h"

#include <optional>

namespace ordalis::service {

class Protocol {
public:
    Protocol(Database& database, const ServiceOptions& options);
    Reply handle(const Request& request);
    // Refuses a request by its method and path alone, before its body is read.
    std::optional<Reply> screen(const Request& headersOnly) const;
    ServiceContext& context() { return m_context; }
    // Every path it answers, so that a test can tell a route it does not know of.
    static QList<QByteArray> paths();

    struct Route;

private:
    const Route* routeFor(const Request& request, Reply* refusal) const;

    ServiceContext m_context;
};

} // namespace ordalis::service
