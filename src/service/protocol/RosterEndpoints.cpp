// SPDX-License-Identifier: GPL-3.0-or-later
// Classes, students, topics and groups. Lists are always sent whole: the stored list becomes
// exactly the list sent, in its order. Removing a class takes its students and their scores
// with it, removing a student takes their scores, removing a topic takes its standards but
// leaves recorded scores alone; a rename keeps everything attached to the renamed item.

#include "protocol/RosterEndpoints.h"

#include "protocol/Authentication.h"
#include "protocol/Change.h"
#include "protocol/DeletedItems.h"
#include "protocol/NamedRows.h"
#include "protocol/Names.h"
#include "protocol/RecordBuilder.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <QHash>
#include <QSet>

namespace ordalis::service {

namespace {

// Classes of a teacher, students of a class, topics of a teacher: ample for a school, and a
// bound on the work one request can ask for.
constexpr qsizetype MaxListLength = 500;

Expected<> checkList(const QStringList& names, const QString& what) {
    QSet<QString> seen;
    for (const QString& name : names) {
        if (Expected<> fits = checkName(name, what); !fits)
            return fits;
        if (seen.contains(name))
            return refusal(QStringLiteral("%1重复：%2").arg(what, name));
        seen.insert(name);
    }
    return {};
}

// The rows of `table` under one parent become exactly `names` in this order; what goes is kept
// as deleted items of `kind`.
void replaceOrderedNames(Call& call, qint64 teacherId, DeletedKind kind, NamedTable table,
                         qint64 parentId, const QStringList& names) {
    const QSqlDatabase& db = call.db;
    const NamedRowStatements& statements = statementsOf(table);
    QHash<QString, qint64> existing;
    SqlRows rows = sqlRun(db, statements.idsAndNames, {parentId});
    while (rows.next())
        existing.insert(rows.value(1).toString(), rows.value(0).toLongLong());
    const QSet<QString> wanted(names.begin(), names.end());
    for (auto it = existing.cbegin(); it != existing.cend(); ++it)
        if (!wanted.contains(it.key()) && keepDeleted(db, teacherId, kind, it.value(), call.now()))
            sqlRun(db, statements.remove, {it.value()});
    for (int position = 0; position < names.size(); ++position) {
        const auto found = existing.constFind(names[position]);
        if (found != existing.cend())
            sqlRun(db, statements.move, {position, found.value()});
        else
            sqlRun(db, statements.insert, {parentId, names[position], position});
    }
}

// Renames one row under a parent, or refuses to.
Expected<> renameRow(const QSqlDatabase& db, NamedTable table, qint64 parentId,
                     const QString& oldName, const QString& newName, const QString& what) {
    if (Expected<> fits = checkName(newName, what); !fits)
        return fits;
    const NamedRowStatements& statements = statementsOf(table);
    const auto id = sqlValue(db, statements.idByName, {parentId, oldName});
    if (!id)
        return refusal(QStringLiteral("找不到%1：%2").arg(what, oldName));
    if (oldName == newName)
        return {};
    if (sqlValue(db, statements.idByName, {parentId, newName}))
        return refusal(QStringLiteral("%1已存在：%2").arg(what, newName));
    sqlRun(db, statements.rename, {newName, *id});
    return {};
}

std::optional<qint64> findClass(const QSqlDatabase& db, qint64 teacherId, const QString& name) {
    const auto id = sqlValue(db, statementsOf(NamedTable::Classes).idByName, {teacherId, name});
    return id ? std::optional<qint64>(id->toLongLong()) : std::nullopt;
}

// The teacher's whole list of classes or topics, sent in the field `key`.
Reply setTeacherList(Call& call, wire::Key key, DeletedKind kind, NamedTable table,
                     const QString& what) {
    const auto names = splitList(call.field(key), MaxListLength);
    return runChange(call, [&](qint64 teacherId) -> Expected<> {
        if (!names)
            return refusal(tooManyItems(what, MaxListLength));
        if (Expected<> fits = checkList(*names, what); !fits)
            return fits;
        replaceOrderedNames(call, teacherId, kind, table, teacherId, *names);
        return {};
    });
}

// A change within one of the teacher's classes, the one named in the "class" field.
Reply runClassChange(Call& call,
                     const std::function<Expected<>(qint64 teacherId, qint64 classId)>& apply) {
    const QString className = call.field(wire::field::Class);
    return runChange(call, [&](qint64 teacherId) -> Expected<> {
        const auto classId = findClass(call.db, teacherId, className);
        if (!classId)
            return refusal(QStringLiteral("找不到班级：%1").arg(className));
        return apply(teacherId, *classId);
    });
}

} // namespace

Reply setClasses(Call& call) {
    return setTeacherList(call, wire::field::Class, DeletedKind::Class, NamedTable::Classes,
                          QStringLiteral("班级名称"));
}

Reply renameClass(Call& call) {
    return runChange(call, [&](qint64 teacherId) {
        return renameRow(call.db, NamedTable::Classes, teacherId,
                         call.field(wire::field::OldClassName),
                         call.field(wire::field::NewClassName), QStringLiteral("班级"));
    });
}

Reply setStudents(Call& call) {
    const auto names = splitList(call.field(wire::field::Students), MaxListLength);
    return runClassChange(call, [&](qint64 teacherId, qint64 classId) -> Expected<> {
        const QString what = QStringLiteral("学生姓名");
        if (!names)
            return refusal(tooManyItems(what, MaxListLength));
        if (Expected<> fits = checkList(*names, what); !fits)
            return fits;
        replaceOrderedNames(call, teacherId, DeletedKind::Student, NamedTable::Students, classId,
                            *names);
        return {};
    });
}

Reply renameStudent(Call& call) {
    return runClassChange(call, [&](qint64, qint64 classId) {
        return renameRow(call.db, NamedTable::Students, classId,
                         call.field(wire::field::OldStudentName),
                         call.field(wire::field::NewStudentName), QStringLiteral("学生"));
    });
}

Reply setTopics(Call& call) {
    return setTeacherList(call, wire::field::Topic, DeletedKind::Topic, NamedTable::Topics,
                          QStringLiteral("课题名称"));
}

Reply renameTopic(Call& call) {
    const QString oldName = call.field(wire::field::OldTopic);
    const QString newName = call.field(wire::field::NewTopic);
    return runChange(call, [&](qint64 teacherId) -> Expected<> {
        if (Expected<> renamed = renameRow(call.db, NamedTable::Topics, teacherId, oldName, newName,
                                           QStringLiteral("课题"));
            !renamed)
            return renamed;
        // The scores recorded under the topic follow it to its new name.
        sqlRun(call.db,
               QStringLiteral(
                   "UPDATE scores SET topic = ? WHERE topic = ? AND class_id IN (SELECT id FROM "
                   "classes WHERE teacher_id = ?)"),
               {newName, oldName, teacherId});
        return {};
    });
}

Reply uploadGroups(Call& call) {
    const QString className = call.field(wire::field::Class);
    return runClassChange(call, [&](qint64, qint64 classId) -> Expected<> {
        QHash<QString, qint64> students;
        SqlRows rows = sqlRun(
            call.db, QStringLiteral("SELECT id, name FROM students WHERE class_id = ?"), {classId});
        while (rows.next())
            students.insert(rows.value(1).toString(), rows.value(0).toLongLong());
        QSet<QString> placed;
        for (int group = 0; group < wire::GroupCount; ++group) {
            const auto names = splitList(call.field(wire::field::Group, group), MaxListLength);
            if (!names)
                return refusal(tooManyItems(QStringLiteral("每组学生"), MaxListLength));
            for (const QString& name : *names) {
                const auto student = students.constFind(name);
                if (student == students.cend())
                    return refusal(QStringLiteral("学生不在班级%1中：%2").arg(className, name));
                if (placed.contains(name))
                    return refusal(QStringLiteral("学生在分组中出现了两次：%1").arg(name));
                placed.insert(name);
                sqlRun(call.db, QStringLiteral("UPDATE students SET group_no = ? WHERE id = ?"),
                       {group, *student});
            }
        }
        return {};
    });
}

Reply record(Call& call) {
    const Expected<qint64> teacher = authenticateReader(call);
    if (!teacher)
        return Reply::refused(teacher.refusal());
    BuiltRecordCache& cache = call.context.records;
    const quint64 stamp = call.changeStamp();
    BuiltRecordCache::Bytes bytes = cache.atStamp(*teacher, stamp);
    if (!bytes)
        bytes = cache.atRevision(*teacher, revisionOf(call.db, *teacher), stamp);
    if (!bytes) {
        // One snapshot for the whole record and the revision it is stored under.
        Transaction snapshot(call.context.database, call.db, Transaction::Read);
        const qint64 revision = revisionOf(call.db, *teacher);
        bytes = std::make_shared<const QByteArray>(buildRecord(call.db, *teacher));
        cache.store(*teacher, revision, stamp, bytes);
    }
    return Reply::bytes(*bytes, QByteArrayLiteral("text/plain; charset=GB18030"));
}

Registrations rosterRoutes() {
    static const Registration routes[] = {
        {wire::SetClasses, setClasses},     {wire::RenameClass, renameClass},
        {wire::SetStudents, setStudents},   {wire::RenameStudent, renameStudent},
        {wire::SetTopics, setTopics},       {wire::RenameTopic, renameTopic},
        {wire::UploadGroups, uploadGroups}, {wire::Record, record},
    };
    return routes;
}

} // namespace ordalis::service
