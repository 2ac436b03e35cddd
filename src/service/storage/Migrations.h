// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schema as numbered migrations, applied once each and in order. Every instance that opens
// the database takes one lock first (a PostgreSQL advisory lock, SQLite's write lock), so any
// number of instances may start together and a later release upgrades a database in place.

#include "storage/Database.h"

namespace ordalis::service {

// The version this release writes; a database of a later version is refused.
int latestSchemaVersion();
Expected<> migrate(const Database& database, const QSqlDatabase& db);
// Whether the database holds tables of a release older than this one, which migrate() would
// change: worth a copy first. A database without tables (a fresh one) holds none.
bool holdsOlderSchema(const QSqlDatabase& db);

} // namespace ordalis::service
