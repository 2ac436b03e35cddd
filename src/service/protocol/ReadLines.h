// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ServiceContext.h"
#include "storage/Sql.h"

#include <functional>

namespace ordalis::service {

// A read answered with lines: each row of `statement`, whose first "?" is the authenticated
// teacher and the rest `values`, written as a line by `lineOf` (from the row's named columns),
// lines separated by CR LF.
Reply readLines(Call& call, const QString& statement, const QVariantList& values,
                const std::function<QString(const SqlRows& row)>& lineOf);

} // namespace ordalis::service
