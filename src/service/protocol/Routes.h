// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An endpoint with its handler. Each file of handlers lists its own endpoints, next to their
// handlers; Protocol makes its route table from these lists and checks each request's method
// and required fields against the endpoint's description.

#include "http/Reply.h"
#include "wire/Endpoints.h"

#include <span>

namespace ordalis::service {

struct Call;
using Handler = Reply (*)(Call&);

// Whether an endpoint is answered with a database connection.
enum class Storage { Database, None };

struct Registration {
    const wire::Endpoint& endpoint;
    Handler handler;
    Storage storage = Storage::Database;
};
using Registrations = std::span<const Registration>;

} // namespace ordalis::service
