// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The service's protocol on a database of its own, as the service benchmarks set it up.

#include "protocol/Protocol.h"
#include "storage/Database.h"

#include <memory>

namespace ordalis::bench {

// The protocol on the opened database, with the cheapest password hashing and mail kept in
// the folder; nothing when the database does not open.
std::unique_ptr<service::Protocol> openProtocol(service::Database& database, const QString& folder);
// Whether a form POST to the path, GB18030 and escaped, is answered "Success!".
bool postForm(service::Protocol& protocol, const char* path, const QString& body);

} // namespace ordalis::bench
