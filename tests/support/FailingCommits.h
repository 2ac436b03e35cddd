// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes the database refuse, at COMMIT and only there, every transaction that changes one
// teacher's data (each change counts up the teacher's revision): everything before the COMMIT
// succeeds, as when a disk fills or a deferred constraint fails. On PostgreSQL a deferred
// constraint trigger raises; on SQLite a deferred foreign key is left dangling. Any other
// teacher's change commits, unless it shares the transaction.

#include <QSqlDatabase>
#include <QString>

namespace ordalis::test {

// False, with the reason in `error`, when the database cannot be prepared.
bool failCommitsOf(const QSqlDatabase& db, const QString& account, QString* error);
// PostgreSQL: the connection of the teacher's first change to commit breaks during its COMMIT,
// so that its answer is lost; later ones go through.
bool loseFirstCommitAnswerOf(const QSqlDatabase& db, const QString& account, QString* error);
// Lets every commit through again.
bool mendCommits(const QSqlDatabase& db, QString* error);

} // namespace ordalis::test
