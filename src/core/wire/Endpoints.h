// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every endpoint of the protocol, described once: its path, whether it changes data (a form
// POST) or reads (a GET), who may call it, its fields in the order the program sends them, and
// the reply that means a change was made. The program builds its requests from these
// (wire/Form), the service its routes and its check of required fields; no path or key is
// spelled anywhere else.

#include "wire/Fields.h"

#include <span>

namespace ordalis::wire {

enum class Method {
    Change, // a form POST; never answered as a GET, so that a link cannot alter data
    Read,   // a GET (or HEAD); a POST is answered too
};

enum class Access {
    Anyone,   // no account, or the account's login password in the fields
    Operator, // a change made with the account's operation password
    Reader,   // a read for the account named in `t`, with `mp`
};

enum class Presence {
    Required, // present, even if empty: a missing field is never read as an empty value
    Optional,
};

struct Field {
    Key key;
    Presence presence = Presence::Required;
    // An indexed field: `count` fields key[0] … key[count - 1]; 0 for a plain one.
    int count = 0;
};

struct Endpoint {
    Ascii path;
    Method method;
    Access access;
    std::span<const Field> fields;
    // The exact reply of a change that was made; empty for a read.
    QLatin1StringView success = {};
};

// The reply of every change made but the reset of a password.
inline constexpr QLatin1StringView Done{"Success!"};
// The reset's words for a code mailed or a password set, and for a wrong account or code.
inline constexpr QLatin1StringView ResetDone{"success"};
inline constexpr QLatin1StringView ResetFailed{"failure"};

inline constexpr int GroupCount = 16;
// The maker's name for this program on its site (version.php's `s`, update.php's `sort`).
inline constexpr QLatin1StringView ProductName{"Tumbrel"};

namespace fields {

using namespace field;
inline constexpr Presence Optional = Presence::Optional;

inline constexpr Field CheckPassword[] = {{UserName}, {Password}};
inline constexpr Field RegisterTeacher[] = {{UserName},          {TeacherName}, {Password},
                                            {OperationPassword}, {Email},       {Mobile},
                                            {Telephone},         {Qq}};
inline constexpr Field SetPassword[] = {
    {UserName}, {CheckCode}, {ResetLoginPassword}, {ResetOperationPassword}};
inline constexpr Field UploadScores[] = {{UserName}, {Password},        {Topic},
                                         {Score},    {Calls, Optional}, {Batch, Optional}};
inline constexpr Field UploadCalls[] = {{UserName}, {Password}, {Calls}, {Batch, Optional}};
inline constexpr Field UploadGroups[] = {
    {Class}, {UserName}, {Password}, {Group, Presence::Required, GroupCount}};
inline constexpr Field SetTeacher[] = {
    {UserName}, {Email}, {OldOperationPassword}, {NewLoginPassword}, {NewOperationPassword}};
inline constexpr Field SetClasses[] = {{UserName}, {Password}, {Class}};
inline constexpr Field RenameClass[] = {{UserName}, {Password}, {OldClassName}, {NewClassName}};
inline constexpr Field SetStudents[] = {{UserName}, {Password}, {Class}, {Students}};
inline constexpr Field RenameStudent[] = {
    {UserName}, {Password}, {OldStudentName}, {NewStudentName}, {Class}};
inline constexpr Field SetTopics[] = {{UserName}, {Password}, {Topic}};
inline constexpr Field RenameTopic[] = {{UserName}, {Password}, {OldTopic}, {NewTopic}};
inline constexpr Field NewStandards[] = {
    {UserName}, {Password}, {Topic}, {NewStandardTexts}, {NewStandardScores}};
inline constexpr Field EditStandard[] = {{UserName},   {Password},     {Class, Optional},
                                         {StandardId}, {StandardText}, {Score}};
inline constexpr Field DeleteStandards[] = {
    {UserName}, {Password}, {Topic, Optional}, {DeletedIds}};
inline constexpr Field EditScore[] = {{UserName}, {Password}, {Class, Optional}, {ScoreId},
                                      {Score},    {Time},     {Topic},           {Remark}};
inline constexpr Field DeleteScores[] = {{UserName}, {Password}, {Class, Optional}, {DeletedIds}};

inline constexpr Field Reader[] = {{field::Reader}, {ReaderMp}};
inline constexpr Field ClassReader[] = {{Class}, {field::Reader}, {ReaderMp}};
inline constexpr Field Calls[] = {
    {Class}, {From, Optional}, {To, Optional}, {field::Reader}, {ReaderMp}};
inline constexpr Field Export[] = {{field::Reader},    {ReaderMp},       {Class},
                                   {Format, Optional}, {From, Optional}, {To, Optional}};
inline constexpr Field Standards[] = {{Topic}, {field::Reader}, {ReaderMp}};
inline constexpr Field CheckUserName[] = {{NameToCheck}};
inline constexpr Field PasswordCode[] = {{UserName}, {Email}};
inline constexpr Field ServerTime[] = {{Fresh, Optional}};
inline constexpr Field MakerVersion[] = {{Product, Optional}, {Fresh, Optional}};
inline constexpr Field UpdatePage[] = {{Sort, Optional}};
// The latest scores of the teacher the page is opened for; without `t`, the service's own page.
inline constexpr Field HomePage[] = {
    {field::Reader, Optional}, {LineCount, Optional}, {ReaderMp, Optional}};

} // namespace fields

// ---- accounts ----
inline constexpr Endpoint CheckPassword{"/checkpassword.php", Method::Change, Access::Anyone,
                                        fields::CheckPassword, Done};
inline constexpr Endpoint RegisterTeacher{"/regteacher.php", Method::Change, Access::Anyone,
                                          fields::RegisterTeacher, Done};
inline constexpr Endpoint SetPassword{"/setpassword.php", Method::Change, Access::Anyone,
                                      fields::SetPassword, ResetDone};
inline constexpr Endpoint CheckUserName{"/checkusername.php", Method::Read, Access::Anyone,
                                        fields::CheckUserName};
inline constexpr Endpoint PasswordCode{"/getpswdcode.php", Method::Read, Access::Anyone,
                                       fields::PasswordCode};
inline constexpr Endpoint SetTeacher{"/setteacher.php", Method::Change, Access::Operator,
                                     fields::SetTeacher, Done};

// ---- changes of a teacher's data ----
inline constexpr Endpoint UploadScores{"/index.php", Method::Change, Access::Operator,
                                       fields::UploadScores, Done};
inline constexpr Endpoint UploadCalls{"/setcalls.php", Method::Change, Access::Operator,
                                      fields::UploadCalls, Done};
inline constexpr Endpoint UploadGroups{"/group.php", Method::Change, Access::Operator,
                                       fields::UploadGroups, Done};
inline constexpr Endpoint SetClasses{"/setclass.php", Method::Change, Access::Operator,
                                     fields::SetClasses, Done};
inline constexpr Endpoint RenameClass{"/renameclass.php", Method::Change, Access::Operator,
                                      fields::RenameClass, Done};
inline constexpr Endpoint SetStudents{"/student.php", Method::Change, Access::Operator,
                                      fields::SetStudents, Done};
inline constexpr Endpoint RenameStudent{"/renamestudent.php", Method::Change, Access::Operator,
                                        fields::RenameStudent, Done};
inline constexpr Endpoint SetTopics{"/setketi.php", Method::Change, Access::Operator,
                                    fields::SetTopics, Done};
inline constexpr Endpoint RenameTopic{"/renameketi.php", Method::Change, Access::Operator,
                                      fields::RenameTopic, Done};
inline constexpr Endpoint NewStandards{"/newscale.php", Method::Change, Access::Operator,
                                       fields::NewStandards, Done};
inline constexpr Endpoint EditStandard{"/editscale.php", Method::Change, Access::Operator,
                                       fields::EditStandard, Done};
inline constexpr Endpoint DeleteStandards{"/delscale.php", Method::Change, Access::Operator,
                                          fields::DeleteStandards, Done};
inline constexpr Endpoint EditScore{"/editscore.php", Method::Change, Access::Operator,
                                    fields::EditScore, Done};
inline constexpr Endpoint DeleteScores{"/delscore.php", Method::Change, Access::Operator,
                                       fields::DeleteScores, Done};

// ---- reads of a teacher's data ----
inline constexpr Endpoint Record{"/record.php", Method::Read, Access::Reader, fields::Reader};
inline constexpr Endpoint Teacher{"/getteacher.php", Method::Read, Access::Reader, fields::Reader};
inline constexpr Endpoint Scores{"/getscore.php", Method::Read, Access::Reader,
                                 fields::ClassReader};
inline constexpr Endpoint Calls{"/getcalls.php", Method::Read, Access::Reader, fields::Calls};
inline constexpr Endpoint Export{"/export.php", Method::Read, Access::Reader, fields::Export};
inline constexpr Endpoint Standards{"/getscale.php", Method::Read, Access::Reader,
                                    fields::Standards};

// ---- the clock, the maker's site (which the service answers too) and the pages ----
inline constexpr Endpoint ServerTime{"/servertime.php", Method::Read, Access::Anyone,
                                     fields::ServerTime};
inline constexpr Endpoint MakerVersion{"/version.php", Method::Read, Access::Anyone,
                                       fields::MakerVersion};
inline constexpr Endpoint UpdatePage{"/update.php", Method::Read, Access::Anyone,
                                     fields::UpdatePage};
inline constexpr Endpoint HomePage{"/", Method::Read, Access::Anyone, fields::HomePage};
inline constexpr Endpoint HomePageFile{"/index.html", Method::Read, Access::Anyone,
                                       fields::HomePage};
// For those who run the service: whether the database answers, and the service's figures.
inline constexpr Endpoint Health{"/healthz", Method::Read, Access::Anyone, {}};
inline constexpr Endpoint Metrics{"/metrics", Method::Read, Access::Anyone, {}};

inline constexpr const Endpoint* All[] = {
    &CheckPassword, &RegisterTeacher, &SetPassword,     &CheckUserName, &PasswordCode,
    &SetTeacher,    &UploadScores,    &UploadCalls,     &UploadGroups,  &SetClasses,
    &RenameClass,   &SetStudents,     &RenameStudent,   &SetTopics,     &RenameTopic,
    &NewStandards,  &EditStandard,    &DeleteStandards, &EditScore,     &DeleteScores,
    &Record,        &Teacher,         &Scores,          &Calls,         &Export,
    &Standards,     &ServerTime,      &MakerVersion,    &UpdatePage,    &HomePage,
    &HomePageFile,  &Health,          &Metrics,
};

// The key of field `index` of an indexed field: "group[3]".
QByteArray indexedKey(Key key, int index);

} // namespace ordalis::wire
