// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Parameterised statements that throw on failure, so that a handler's transaction unwinds and
// rolls back instead of carrying on with half a change.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <optional>
#include <stdexcept>

namespace ordalis::service {

class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One statement prepared once and run with many sets of values (the lines of an upload).
class PreparedStatement {
public:
    PreparedStatement(const QSqlDatabase& db, const QString& statement);
    QSqlQuery& run(const QVariantList& values);

private:
    QSqlQuery m_query;
};

// Prepares the statement, binds the values to its "?" in order and runs it.
QSqlQuery sqlRun(const QSqlDatabase& db, const QString& statement, const QVariantList& values = {});
// Runs a statement that takes no values and cannot be prepared (schema changes).
void sqlExec(const QSqlDatabase& db, const QString& statement);
// The first column of the first row, if there is a row.
std::optional<QVariant> sqlValue(const QSqlDatabase& db, const QString& statement,
                                 const QVariantList& values = {});

} // namespace ordalis::service
