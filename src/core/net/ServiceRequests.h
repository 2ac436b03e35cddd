// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's requests as pure functions: the form body of every change and the address of
// every GET and browser page, each given its values field by field and written by wire/Form in
// the order its endpoint describes. Nothing here touches the network, so the exact bytes can
// be checked.
//
// Callers trim where their window says so. Lists are joined here with "|" (or TAB where the
// service expects it), so no window assembles a body by hand.

#include "groups/GroupLists.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <array>
#include <optional>

namespace ordalis {

// A form POST ready to be sent.
struct FormRequest {
    QString path;        // under ServiceBase: its endpoint's path
    QString body;        // key=value pairs with escaped values, not yet percent-encoded
    QString successWord; // the exact reply that means the change was made

    // The body as it goes on the wire: through encodeGb18030Url once, as bytes.
    QByteArray wireBody() const;
};

struct TeacherRegistration {
    QString userName;
    QString teacherName;
    QString loginPassword;
    QString operationPassword;
    QString email;
    QString mobile;
    QString telephone;
    QString qq;
};

namespace requests {

inline constexpr int StandardsPerBatch = 5;
using StandardTexts = std::array<QString, StandardsPerBatch>;
// An empty box is sent as an empty field.
using StandardScores = std::array<std::optional<double>, StandardsPerBatch>;

FormRequest checkPassword(const QString& userName, const QString& loginPassword);
FormRequest registerTeacher(const TeacherRegistration& teacher);
// An empty new password leaves that password as it is; the reply words are "success" and
// "failure".
FormRequest setPassword(const QString& userName, const QString& checkCode,
                        const QString& newLoginPassword, const QString& newOperationPassword);
// `batch`, when not empty, goes last: the id that makes a repeated upload store nothing twice.
// The calls (CallLine texts), when there are any, go with the scores, before the batch.
FormRequest uploadScores(const QString& userName, const QString& operationPassword,
                         const QString& topic, const QStringList& scoreLines,
                         const QString& batch = QString(), const QStringList& calls = {});
FormRequest uploadCalls(const QString& userName, const QString& operationPassword,
                        const QStringList& calls, const QString& batch);
FormRequest uploadGroups(const QString& className, const QString& userName,
                         const QString& operationPassword, const GroupLists& groups);
FormRequest setTeacher(const QString& userName, const QString& email,
                       const QString& operationPassword, const QString& newLoginPassword,
                       const QString& newOperationPassword);
FormRequest setClasses(const QString& userName, const QString& operationPassword,
                       const QStringList& classNames);
FormRequest renameClass(const QString& userName, const QString& operationPassword,
                        const QString& oldName, const QString& newName);
FormRequest setStudents(const QString& userName, const QString& operationPassword,
                        const QString& className, const QStringList& studentNames);
FormRequest renameStudent(const QString& userName, const QString& operationPassword,
                          const QString& oldName, const QString& newName, const QString& className);
FormRequest setTopics(const QString& userName, const QString& operationPassword,
                      const QStringList& topics);
FormRequest renameTopic(const QString& userName, const QString& operationPassword,
                        const QString& oldTopic, const QString& newTopic);
FormRequest newScales(const QString& userName, const QString& operationPassword,
                      const QString& topic, const StandardTexts& texts,
                      const StandardScores& scores);
FormRequest editScale(const QString& userName, const QString& operationPassword,
                      const QString& className, const QString& scaleId, const QString& text,
                      double score);
// The identifiers as the console collects them ("|12|7").
FormRequest deleteScales(const QString& userName, const QString& operationPassword,
                         const QString& topic, const QString& deleteIds);
FormRequest editScore(const QString& userName, const QString& operationPassword,
                      const QString& className, const QString& scoreId, double score,
                      qint32 wireTime, const QString& topic, const QString& remark);
FormRequest deleteScores(const QString& userName, const QString& operationPassword,
                         const QString& className, const QString& deleteIds);

// A query value as it goes into a URL: GB18030 percent escapes for Chinese text, and "%", "#",
// "&", "=" and "+" escaped so that a name holding them reaches the service whole.
QString queryValue(QStringView value);

// Addresses under ServiceBase (without trailing "/").
QUrl recordUrl(const QString& serviceBase, const QString& userName, const QString& mp);
QUrl teacherUrl(const QString& serviceBase, const QString& userName, const QString& mp);
QUrl scoresUrl(const QString& serviceBase, const QString& className, const QString& userName,
               const QString& mp);
QUrl callsUrl(const QString& serviceBase, const QString& className, const QDate& from,
              const QDate& to, const QString& userName, const QString& mp);
QUrl scalesUrl(const QString& serviceBase, const QString& topic, const QString& userName,
               const QString& mp);
QUrl checkUserNameUrl(const QString& serviceBase, const QString& userName);
QUrl passwordCodeUrl(const QString& serviceBase, const QString& userName, const QString& email);
// randomFraction: a fresh number in [0, 1) so that no cache answers with an old time.
QUrl serverTimeUrl(const QString& serviceBase, double randomFraction);
// The browser page with the teacher's last uploaded score lines.
QUrl uploadResultUrl(const QString& serviceBase, const QString& userName, int lineCount,
                     const QString& mp);

// Addresses under MakerSite.
QUrl makerVersionUrl(const QString& makerSite, double randomFraction);
QUrl updatePageUrl(const QString& makerSite);

} // namespace requests
} // namespace ordalis
