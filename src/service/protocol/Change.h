// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame of every change to a teacher's data: the operation password is checked, the change
// runs all or nothing (in a transaction it may share with concurrent changes, see GroupCommit)
// and counts up the teacher's revision.

#include "protocol/DeletedItems.h"
#include "protocol/ServiceContext.h"

#include <functional>

namespace ordalis::service {

// Every committed change of a teacher's data counts up the teacher's revision in the same
// transaction; what an instance keeps of the teacher is current while the revision is.
void bumpRevision(const QSqlDatabase& db, qint64 teacherId);
qint64 revisionOf(const QSqlDatabase& db, qint64 teacherId);

// `apply` makes the change or refuses it; a refusal rolls back whatever it had written.
//
// A change may carry a "batch" field: a random id (32 hexadecimal digits) that the program
// keeps with an upload's lines until an upload of them succeeds. The first change of a batch
// is applied and the id kept with it, in the same transaction; a repeated batch (its reply was
// lost on the way) is answered as done and applies nothing again. Without the field the change
// is applied as it comes. Ids are kept for BatchDays days.
inline constexpr int BatchDays = 60;
using ChangeOf = std::function<Expected<>(qint64 teacherId)>;
Reply runChange(Call& call, const ChangeOf& apply);
// The same, with `prepare` run first, once the teacher is known but outside the change's
// transaction, which concurrent changes may be waiting for: reads that `apply` may take over
// while the teacher's revision is still the one `prepare` saw.
Reply runChange(Call& call, const std::function<void(qint64 teacherId)>& prepare,
                const ChangeOf& apply);

// Deletes the rows named in the "delid" list ("|15|12"); `statement` takes the identifier and
// the teacher. Identifiers already gone (a deletion sent twice) or of another teacher change
// nothing; a piece that is no identifier refuses the whole deletion with `badIds`. What is
// deleted is kept as deleted items of `kind`.
Reply deleteByIds(Call& call, DeletedKind kind, const QString& statement, const QString& badIds);

} // namespace ordalis::service
