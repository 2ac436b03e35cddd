// SPDX-License-Identifier: GPL-3.0-or-later

#include "FailingCommits.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ordalis::test {

namespace {

bool isSqlite(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QSQLITE");
}

bool runAll(const QSqlDatabase& db, const QStringList& statements, QString* error) {
    for (const QString& statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            *error = statement + QStringLiteral(": ") + query.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

bool failCommitsOf(const QSqlDatabase& db, const QString& account, QString* error) {
    // The account is a test's own name: no quote to escape.
    const QString marked = QStringLiteral("NEW.account = '%1'").arg(account);
    if (isSqlite(db))
        return runAll(
            db,
            {QStringLiteral("CREATE TABLE commit_breaker_parent (id INTEGER PRIMARY KEY)"),
             QStringLiteral("CREATE TABLE commit_breaker (parent INTEGER REFERENCES "
                            "commit_breaker_parent (id) DEFERRABLE INITIALLY DEFERRED)"),
             QStringLiteral("CREATE TRIGGER commit_breaker AFTER UPDATE OF revision ON teachers "
                            "WHEN %1 BEGIN INSERT INTO commit_breaker (parent) VALUES (0); END")
                 .arg(marked)},
            error);
    return runAll(
        db,
        {QStringLiteral("CREATE FUNCTION refuse_commit() RETURNS trigger LANGUAGE plpgsql AS "
                        "$$ BEGIN RAISE EXCEPTION 'refused at commit'; END $$"),
         QStringLiteral("CREATE CONSTRAINT TRIGGER commit_breaker AFTER UPDATE OF revision ON "
                        "teachers DEFERRABLE INITIALLY DEFERRED FOR EACH ROW WHEN (%1) "
                        "EXECUTE FUNCTION refuse_commit()")
             .arg(marked)},
        error);
}

bool loseFirstCommitAnswerOf(const QSqlDatabase& db, const QString& account, QString* error) {
    return runAll(
        db,
        {QStringLiteral("CREATE SEQUENCE commit_losses"),
         QStringLiteral("CREATE FUNCTION lose_commit() RETURNS trigger LANGUAGE plpgsql AS $$ "
                        "BEGIN IF nextval('commit_losses') = 1 THEN "
                        "PERFORM pg_terminate_backend(pg_backend_pid()); END IF; "
                        "RETURN NULL; END $$"),
         QStringLiteral("CREATE CONSTRAINT TRIGGER commit_loser AFTER UPDATE OF revision ON "
                        "teachers DEFERRABLE INITIALLY DEFERRED FOR EACH ROW WHEN "
                        "(NEW.account = '%1') EXECUTE FUNCTION lose_commit()")
             .arg(account)},
        error);
}

bool mendCommits(const QSqlDatabase& db, QString* error) {
    if (isSqlite(db))
        return runAll(db,
                      {QStringLiteral("DROP TRIGGER commit_breaker"),
                       QStringLiteral("DROP TABLE commit_breaker"),
                       QStringLiteral("DROP TABLE commit_breaker_parent")},
                      error);
    return runAll(db,
                  {QStringLiteral("DROP TRIGGER commit_breaker ON teachers"),
                   QStringLiteral("DROP FUNCTION refuse_commit()")},
                  error);
}

} // namespace ordalis::test
