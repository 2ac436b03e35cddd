// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ServiceContext.h"

namespace ordalis::service {

// A read answered with lines: the rows of `statement`, whose first "?" is the authenticated
// teacher and the rest `values`, as TAB-joined fields, lines separated by CR LF. The columns in
// `numberColumns` are written as shortest decimals.
Reply readLines(Call& call, const QString& statement, const QVariantList& values,
                const QList<int>& numberColumns);

} // namespace ordalis::service
