// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score service's protocol as a plain function from request to reply: every endpoint the
// program calls, and the browser pages. Safe to call from several threads at once.

#include "http/Reply.h"
#include "http/Request.h"
#include "protocol/ServiceContext.h"

namespace ordalis::service {

class Protocol {
public:
    Protocol(Database& database, const ServiceOptions& options);
    Reply handle(const Request& request);
    ServiceContext& context() { return m_context; }

private:
    ServiceContext m_context;
};

} // namespace ordalis::service
