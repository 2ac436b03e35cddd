// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every call the program makes to the score service and the maker's site, one typed function
// per endpoint. Changes are made as the session user; reads carry the session's mp. The
// service address and the timeout are read from the configuration at each call, so a service
// started after this object still gets the calls.

#include "HttpClient.h"
#include "ServiceRequests.h"

namespace ordalis {

class DataFolder;
class ServiceConfig;
struct Session;

class ServiceEndpoints {
public:
    ServiceEndpoints(const ServiceConfig& config, const Session& session);

    // ---- accounts (no session needed) ----
    Expected<> checkPassword(const QString& userName, const QString& loginPassword);
    Expected<> registerTeacher(const TeacherRegistration& teacher);
    // Success only for "success"; a refusal "failure" means the check code was wrong.
    Expected<> setPassword(const QString& userName, const QString& checkCode,
                           const QString& newLoginPassword, const QString& newOperationPassword);
    // Asks without waiting whether a name is free; `done` gets "√" alone when it is, otherwise
    // the reason it is not (the empty text when no reply came), while `context` lives.
    void checkUserNameLater(const QString& userName, const QObject* context,
                            HttpClient::TextHandler done);
    // "success" when a code was mailed, "failure" when account and address do not match.
    QString requestPasswordCode(const QString& userName, const QString& email);

    // ---- changes, as the session user with the operation password ----
    Expected<> uploadScores(const QString& operationPassword, const QString& topic,
                            const QStringList& scoreLines, const QString& batch = QString(),
                            const QStringList& calls = {});
    Expected<> uploadCalls(const QString& operationPassword, const QStringList& calls,
                           const QString& batch);
    Expected<> uploadGroups(const QString& className, const QString& operationPassword,
                            const GroupLists& groups);
    // The account name as the personal page shows it, which may differ from the session's.
    Expected<> setTeacher(const QString& userName, const QString& email,
                          const QString& operationPassword, const QString& newLoginPassword,
                          const QString& newOperationPassword);
    Expected<> setClasses(const QString& operationPassword, const QStringList& classNames);
    Expected<> renameClass(const QString& operationPassword, const QString& oldName,
                           const QString& newName);
    Expected<> setStudents(const QString& operationPassword, const QString& className,
                           const QStringList& studentNames);
    Expected<> renameStudent(const QString& operationPassword, const QString& oldName,
                             const QString& newName, const QString& className);
    Expected<> setTopics(const QString& operationPassword, const QStringList& topics);
    Expected<> renameTopic(const QString& operationPassword, const QString& oldTopic,
                           const QString& newTopic);
    Expected<> newScales(const QString& operationPassword, const QString& topic,
                         const requests::StandardTexts& texts,
                         const requests::StandardScores& scores);
    Expected<> editScale(const QString& operationPassword, const QString& className,
                         const QString& scaleId, const QString& text, double score);
    Expected<> deleteScales(const QString& operationPassword, const QString& topic,
                            const QString& deleteIds);
    Expected<> editScore(const QString& operationPassword, const QString& className,
                         const QString& scoreId, double score, qint32 wireTime,
                         const QString& topic, const QString& remark);
    Expected<> deleteScores(const QString& operationPassword, const QString& className,
                            const QString& deleteIds);

    // ---- reads of the session user's data ----
    // Replaces the folder's teacher record; on failure the previous file stays untouched.
    HttpClient::Download downloadRecord(const DataFolder& folder);
    QString getTeacher();
    QString getScores(const QString& className);
    // The class's calls, "student TAB time TAB how" lines, oldest first; empty dates leave
    // that end of the period open. Refused when the service gave no answer.
    Expected<QString> getCalls(const QString& className, const QDate& from = {},
                               const QDate& to = {});
    QString getScales(const QString& topic);

    // ---- clock and version checks, which nobody waits for ----
    // `done` gets the reply text whatever its status (the empty text when none came), while
    // `context` lives.
    void serverTimeLater(const QObject* context, HttpClient::TextHandler done);
    void makerVersionLater(const QObject* context, HttpClient::TextHandler done);

    // ---- pages opened in the browser ----
    QUrl uploadResultPage(int lineCount) const;
    QUrl updatePage() const;
    QUrl makerHome() const;
    QUrl serviceHome() const;

private:
    Expected<> send(const FormRequest& request);
    HttpClient& http();

    const ServiceConfig& m_config;
    const Session& m_session;
    HttpClient m_http;
};

} // namespace ordalis
