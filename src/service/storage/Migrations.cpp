// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/Migrations.h"

#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <functional>

namespace ordalis::service {

namespace {

// Any number that no other program on the same PostgreSQL database uses as its lock.
constexpr qint64 SchemaLockKey = 0x6f7264616c6973; // "ordalis"

using Migration = std::function<void(const QSqlDatabase& db, bool sqlite)>;

// The column type of a table's own key.
QString idColumn(bool sqlite) {
    return sqlite ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                  : QStringLiteral("BIGSERIAL PRIMARY KEY");
}

// Version 1: the tables as the first release made them; "IF NOT EXISTS" adopts a database
// that an unversioned release created.
QStringList firstTables(bool sqlite) {
    const QString id = idColumn(sqlite);
    const QString ref = QStringLiteral("BIGINT NOT NULL REFERENCES %1(id) ON DELETE CASCADE");
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS teachers (id %1, account TEXT NOT NULL UNIQUE, "
                       "name TEXT NOT NULL, email TEXT NOT NULL, mobile TEXT NOT NULL, "
                       "tel TEXT NOT NULL, qq TEXT NOT NULL, login_hash TEXT NOT NULL, "
                       "operation_hash TEXT NOT NULL, mp_hash TEXT NOT NULL, "
                       "created_at BIGINT NOT NULL)")
            .arg(id),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS classes (id %1, teacher_id %2, name TEXT NOT NULL, "
            "position INTEGER NOT NULL, UNIQUE (teacher_id, name))")
            .arg(id, ref.arg("teachers")),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS students (id %1, class_id %2, name TEXT NOT NULL, "
            "group_no INTEGER NOT NULL DEFAULT 0, position INTEGER NOT NULL, "
            "UNIQUE (class_id, name))")
            .arg(id, ref.arg("classes")),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS topics (id %1, teacher_id %2, name TEXT NOT NULL, "
            "position INTEGER NOT NULL, UNIQUE (teacher_id, name))")
            .arg(id, ref.arg("teachers")),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS standards (id %1, topic_id %2, text TEXT NOT NULL, "
            "score DOUBLE PRECISION NOT NULL)")
            .arg(id, ref.arg("topics")),
        QStringLiteral("CREATE TABLE IF NOT EXISTS scores (id %1, student_id %2, "
                       "value DOUBLE PRECISION NOT NULL, score_text TEXT NOT NULL, "
                       "time_text TEXT NOT NULL, topic TEXT NOT NULL, remark TEXT NOT NULL, "
                       "uploaded_at BIGINT NOT NULL)")
            .arg(id, ref.arg("students")),
        QStringLiteral("CREATE INDEX IF NOT EXISTS scores_student ON scores (student_id)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS check_codes (id %1, teacher_id %2, "
                       "code TEXT NOT NULL, expires_at BIGINT NOT NULL, used INTEGER NOT NULL)")
            .arg(id, ref.arg("teachers")),
        QStringLiteral("CREATE TABLE IF NOT EXISTS failed_attempts (id %1, subject TEXT NOT NULL, "
                       "at BIGINT NOT NULL)")
            .arg(id),
        QStringLiteral("CREATE INDEX IF NOT EXISTS failed_attempts_subject "
                       "ON failed_attempts (subject, at)"),
    };
}

void runAll(const QSqlDatabase& db, const QStringList& statements) {
    for (const QString& statement : statements)
        sqlExec(db, statement);
}

// Scores are indexed by class and id, not by student: the lines of an upload then join the
// ends of a few classes' runs of the index, where an index by student had every upload write
// a page of the index per student (some two hundred pages for a lesson's upload). As the
// student is no longer a foreign key of the score (a cascade by it would read the whole
// table), a trigger takes a student's scores with the student; the class's key cascades.
void scoresKeptByClass(const QSqlDatabase& db, bool sqlite) {
    sqlExec(db, QStringLiteral("CREATE TABLE scores_by_class (id %1, class_id BIGINT NOT NULL "
                               "REFERENCES classes(id) ON DELETE CASCADE, student_id BIGINT NOT "
                               "NULL, value DOUBLE PRECISION NOT NULL, score_text TEXT NOT NULL, "
                               "time_text TEXT NOT NULL, topic TEXT NOT NULL, remark TEXT NOT "
                               "NULL, uploaded_at BIGINT NOT NULL)")
                    .arg(idColumn(sqlite)));
    sqlExec(db, QStringLiteral("INSERT INTO scores_by_class (id, class_id, student_id, value, "
                               "score_text, time_text, topic, remark, uploaded_at) "
                               "SELECT sc.id, s.class_id, sc.student_id, sc.value, sc.score_text, "
                               "sc.time_text, sc.topic, sc.remark, sc.uploaded_at "
                               "FROM scores sc JOIN students s ON s.id = sc.student_id"));
    // A score's id is never given twice, not even the id of a score deleted before.
    if (sqlite) {
        sqlExec(db, QStringLiteral("DELETE FROM sqlite_sequence WHERE name = 'scores_by_class'"));
        sqlExec(db, QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT "
                                   "'scores_by_class', seq FROM sqlite_sequence "
                                   "WHERE name = 'scores'"));
    } else {
        sqlExec(db, QStringLiteral("SELECT setval(pg_get_serial_sequence('scores_by_class', "
                                   "'id'), nextval(pg_get_serial_sequence('scores', 'id')))"));
    }
    sqlExec(db, QStringLiteral("DROP TABLE scores"));
    sqlExec(db, QStringLiteral("ALTER TABLE scores_by_class RENAME TO scores"));
    sqlExec(db, QStringLiteral("CREATE INDEX scores_class ON scores (class_id, id)"));
    const QString leave =
        QStringLiteral("DELETE FROM scores WHERE class_id = OLD.class_id AND student_id = OLD.id;");
    if (sqlite) {
        sqlExec(db, QStringLiteral("CREATE TRIGGER scores_leave_with_student AFTER DELETE ON "
                                   "students BEGIN %1 END")
                        .arg(leave));
        return;
    }
    sqlExec(db, QStringLiteral("CREATE FUNCTION scores_leave_with_student() RETURNS trigger "
                               "LANGUAGE plpgsql AS $$ BEGIN %1 RETURN OLD; END $$")
                    .arg(leave));
    sqlExec(db, QStringLiteral("CREATE TRIGGER scores_leave_with_student AFTER DELETE ON "
                               "students FOR EACH ROW EXECUTE FUNCTION "
                               "scores_leave_with_student()"));
}

const QList<Migration>& migrations() {
    static const QList<Migration> list = {
        [](const QSqlDatabase& db, bool sqlite) { runAll(db, firstTables(sqlite)); },
        // Account names unique whatever their letter case.
        [](const QSqlDatabase& db, bool) {
            sqlExec(db, QStringLiteral("CREATE UNIQUE INDEX teachers_account_nocase "
                                       "ON teachers (lower(account))"));
        },
        // A counter of each teacher's changes, by which every instance tells whether what it
        // holds of the teacher is still current.
        [](const QSqlDatabase& db, bool) {
            sqlExec(db, QStringLiteral(
                            "ALTER TABLE teachers ADD COLUMN revision BIGINT NOT NULL DEFAULT 0"));
        },
        // What deletions removed, kept for a while to be restored.
        [](const QSqlDatabase& db, bool sqlite) {
            sqlExec(db, QStringLiteral("CREATE TABLE deleted_items (id %1, teacher_id BIGINT NOT "
                                       "NULL, kind TEXT NOT NULL, content TEXT NOT NULL, "
                                       "deleted_at BIGINT NOT NULL)")
                            .arg(idColumn(sqlite)));
            sqlExec(db, QStringLiteral("CREATE INDEX deleted_items_teacher "
                                       "ON deleted_items (teacher_id, kind, deleted_at)"));
            sqlExec(db,
                    QStringLiteral("CREATE INDEX deleted_items_age ON deleted_items (deleted_at)"));
        },
        // The batch ids of uploads already stored, so that an upload repeated after its reply
        // was lost stores nothing twice.
        [](const QSqlDatabase& db, bool) {
            sqlExec(db, QStringLiteral("CREATE TABLE upload_batches (teacher_id BIGINT NOT NULL "
                                       "REFERENCES teachers(id) ON DELETE CASCADE, batch TEXT NOT "
                                       "NULL, stored_at BIGINT NOT NULL, "
                                       "PRIMARY KEY (teacher_id, batch))"));
        },
        // Each time a draw stopped on a student: when, and how the student was chosen.
        [](const QSqlDatabase& db, bool sqlite) {
            sqlExec(db, QStringLiteral("CREATE TABLE calls (id %1, student_id BIGINT NOT NULL "
                                       "REFERENCES students(id) ON DELETE CASCADE, time_text TEXT "
                                       "NOT NULL, how TEXT NOT NULL, uploaded_at BIGINT NOT NULL)")
                            .arg(idColumn(sqlite)));
            sqlExec(db, QStringLiteral("CREATE INDEX calls_student ON calls (student_id, "
                                       "time_text)"));
        },
        // Check codes are kept hashed and die after a few wrong tries: the codes of the
        // release before, kept in clear, are dropped (they live for 30 minutes only).
        [](const QSqlDatabase& db, bool) {
            sqlExec(db, QStringLiteral("DELETE FROM check_codes"));
            sqlExec(db, QStringLiteral(
                            "ALTER TABLE check_codes ADD COLUMN tries INTEGER NOT NULL DEFAULT 0"));
        },
        scoresKeptByClass,
        // A count of the times any client's failed checks reached a limit, read with every
        // remembered credential: while it stands, no address checked since was throttled since.
        [](const QSqlDatabase& db, bool) {
            sqlExec(db, QStringLiteral("CREATE TABLE throttle_state (generation BIGINT NOT NULL)"));
            sqlExec(db, QStringLiteral("INSERT INTO throttle_state (generation) VALUES (0)"));
        },
    };
    return list;
}

} // namespace

int latestSchemaVersion() {
    return int(migrations().size());
}

bool holdsOlderSchema(const QSqlDatabase& db) {
    const QStringList tables = db.tables();
    if (!tables.contains(QStringLiteral("schema_version")))
        return !tables.isEmpty(); // the tables of a release before the versions
    return sqlInteger(db, QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_version")) <
           latestSchemaVersion();
}

Expected<> migrate(const Database& database, const QSqlDatabase& db) {
    try {
        Transaction transaction(database, db);
        if (!database.isSqlite())
            sqlRun(db, QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {SchemaLockKey});
        sqlExec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version "
                                   "(version INTEGER NOT NULL)"));
        const int current =
            sqlValue(db, QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_version"))
                .value_or(0)
                .toInt();
        if (current > latestSchemaVersion())
            return refusal(QStringLiteral("the database has schema version %1, newer than this "
                                          "release's %2")
                               .arg(current)
                               .arg(latestSchemaVersion()));
        for (int version = current + 1; version <= latestSchemaVersion(); ++version) {
            migrations()[version - 1](db, database.isSqlite());
            sqlRun(db, QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"),
                   {version});
        }
        transaction.commit();
        return {};
    } catch (const DatabaseError& failure) {
        return refusal(QStringLiteral("cannot prepare the database: %1")
                           .arg(QString::fromStdString(failure.what())));
    }
}

} // namespace ordalis::service
