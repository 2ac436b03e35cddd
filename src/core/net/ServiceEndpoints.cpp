// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceEndpoints.h"

#include "ServiceConfig.h"
#include "session/DataFolder.h"
#include "session/Session.h"
#include "text/Gb18030.h"

#include <QRandomGenerator>
#include <algorithm>

namespace ordalis {

namespace {

// The message naming the first field of a form body that cannot be encoded; a password is
// never shown, since the message may stand on a projector.
QString unencodableField(const QString& body) {
    for (const QStringView pair : QStringView(body).tokenize(u'&')) {
        const qsizetype equals = pair.indexOf(u'=');
        const QStringView key = pair.first(std::max<qsizetype>(equals, 0));
        const QString value = pair.sliced(equals + 1).toString();
        if (gb18030::firstUnencodable(value) < 0)
            continue;
        if (key.contains(u"password"))
            return QStringLiteral("密码中有无法保存的字符，请重新输入");
        return gb18030::unencodableMessage(
            QString(value)
                .replace(QStringLiteral("%26"), QStringLiteral("&"))
                .replace(QStringLiteral("%3D"), QStringLiteral("="))
                .replace(QStringLiteral("%2B"), QStringLiteral("+"))
                .replace(QStringLiteral("%23"), QStringLiteral("#"))
                .replace(QStringLiteral("%25"), QStringLiteral("%")));
    }
    return {};
}

double freshFraction() {
    return QRandomGenerator::global()->generateDouble();
}

// Every line of a teacher record holds a TAB (class list, topics, students). A reply with a
// line that holds none is a refusal such as a stale mp after a password change, or an error
// page: writing it over the record would leave the teacher with no classes, even offline.
bool looksLikeTeacherRecord(const QByteArray& reply) {
    const QList<QByteArray> lines = reply.split('\n');
    return std::all_of(lines.begin(), lines.end(), [](const QByteArray& line) {
        return line.trimmed().isEmpty() || line.contains('\t');
    });
}

} // namespace

ServiceEndpoints::ServiceEndpoints(const ServiceConfig& config, const Session& session)
    : m_config(config)
    , m_session(session) {}

HttpClient& ServiceEndpoints::http() {
    m_http.setTimeout(m_config.timeout());
    m_http.setExtraCaCertificates(m_config.caCertificates());
    return m_http;
}

Expected<> ServiceEndpoints::send(const FormRequest& request) {
    // A text with a unit that has no bytes is refused here rather than sent altered.
    if (const QString problem = unencodableField(request.body); !problem.isEmpty())
        return refusal(problem);
    return http().postForm(QUrl(m_config.serviceBase() + request.path), request.wireBody(),
                           request.successWord);
}

Expected<> ServiceEndpoints::checkPassword(const QString& userName, const QString& loginPassword) {
    return send(requests::checkPassword(userName, loginPassword));
}

Expected<> ServiceEndpoints::registerTeacher(const TeacherRegistration& teacher) {
    return send(requests::registerTeacher(teacher));
}

Expected<> ServiceEndpoints::setPassword(const QString& userName, const QString& checkCode,
                                         const QString& newLoginPassword,
                                         const QString& newOperationPassword) {
    return send(requests::setPassword(userName, checkCode, newLoginPassword, newOperationPassword));
}

void ServiceEndpoints::checkUserNameLater(const QString& userName, const QObject* context,
                                          HttpClient::TextHandler done) {
    http().getTextLater(requests::checkUserNameUrl(m_config.serviceBase(), userName), context,
                        std::move(done));
}

QString ServiceEndpoints::requestPasswordCode(const QString& userName, const QString& email) {
    return http().getText(requests::passwordCodeUrl(m_config.serviceBase(), userName, email));
}

Expected<> ServiceEndpoints::uploadScores(const QString& operationPassword, const QString& topic,
                                          const QStringList& scoreLines, const QString& batch,
                                          const QStringList& calls) {
    return send(requests::uploadScores(m_session.userName, operationPassword, topic, scoreLines,
                                       batch, calls));
}

Expected<> ServiceEndpoints::uploadCalls(const QString& operationPassword, const QStringList& calls,
                                         const QString& batch) {
    return send(requests::uploadCalls(m_session.userName, operationPassword, calls, batch));
}

Expected<> ServiceEndpoints::uploadGroups(const QString& className,
                                          const QString& operationPassword,
                                          const GroupLists& groups) {
    return send(requests::uploadGroups(className, m_session.userName, operationPassword, groups));
}

Expected<> ServiceEndpoints::setTeacher(const QString& userName, const QString& email,
                                        const QString& operationPassword,
                                        const QString& newLoginPassword,
                                        const QString& newOperationPassword) {
    return send(requests::setTeacher(userName, email, operationPassword, newLoginPassword,
                                     newOperationPassword));
}

Expected<> ServiceEndpoints::setClasses(const QString& operationPassword,
                                        const QStringList& classNames) {
    return send(requests::setClasses(m_session.userName, operationPassword, classNames));
}

Expected<> ServiceEndpoints::renameClass(const QString& operationPassword, const QString& oldName,
                                         const QString& newName) {
    return send(requests::renameClass(m_session.userName, operationPassword, oldName, newName));
}

Expected<> ServiceEndpoints::setStudents(const QString& operationPassword, const QString& className,
                                         const QStringList& studentNames) {
    return send(
        requests::setStudents(m_session.userName, operationPassword, className, studentNames));
}

Expected<> ServiceEndpoints::renameStudent(const QString& operationPassword, const QString& oldName,
                                           const QString& newName, const QString& className) {
    return send(requests::renameStudent(m_session.userName, operationPassword, oldName, newName,
                                        className));
}

Expected<> ServiceEndpoints::setTopics(const QString& operationPassword,
                                       const QStringList& topics) {
    return send(requests::setTopics(m_session.userName, operationPassword, topics));
}

Expected<> ServiceEndpoints::renameTopic(const QString& operationPassword, const QString& oldTopic,
                                         const QString& newTopic) {
    return send(requests::renameTopic(m_session.userName, operationPassword, oldTopic, newTopic));
}

Expected<> ServiceEndpoints::newScales(const QString& operationPassword, const QString& topic,
                                       const requests::StandardTexts& texts,
                                       const requests::StandardScores& scores) {
    return send(requests::newScales(m_session.userName, operationPassword, topic, texts, scores));
}

Expected<> ServiceEndpoints::editScale(const QString& operationPassword, const QString& className,
                                       const QString& scaleId, const QString& text, double score) {
    return send(requests::editScale(m_session.userName, operationPassword, className, scaleId, text,
                                    score));
}

Expected<> ServiceEndpoints::deleteScales(const QString& operationPassword, const QString& topic,
                                          const QString& deleteIds) {
    return send(requests::deleteScales(m_session.userName, operationPassword, topic, deleteIds));
}

Expected<> ServiceEndpoints::editScore(const QString& operationPassword, const QString& className,
                                       const QString& scoreId, double score, qint32 wireTime,
                                       const QString& topic, const QString& remark) {
    return send(requests::editScore(m_session.userName, operationPassword, className, scoreId,
                                    score, wireTime, topic, remark));
}

Expected<> ServiceEndpoints::deleteScores(const QString& operationPassword,
                                          const QString& className, const QString& deleteIds) {
    return send(
        requests::deleteScores(m_session.userName, operationPassword, className, deleteIds));
}

HttpClient::Download ServiceEndpoints::downloadRecord(const DataFolder& folder) {
    folder.ensureExists(); // a folder deleted meanwhile is made again, or the write says why not
    return http().downloadToFile(
        requests::recordUrl(m_config.serviceBase(), m_session.userName, m_session.mp),
        folder.recordFile(), looksLikeTeacherRecord);
}

QString ServiceEndpoints::getTeacher() {
    return http().getText(
        requests::teacherUrl(m_config.serviceBase(), m_session.userName, m_session.mp));
}

QString ServiceEndpoints::getScores(const QString& className) {
    return http().getText(
        requests::scoresUrl(m_config.serviceBase(), className, m_session.userName, m_session.mp));
}

Expected<QString> ServiceEndpoints::getCalls(const QString& className, const QDate& from,
                                             const QDate& to) {
    return http().getAnswer(requests::callsUrl(m_config.serviceBase(), className, from, to,
                                               m_session.userName, m_session.mp));
}

QString ServiceEndpoints::getScales(const QString& topic) {
    return http().getText(
        requests::scalesUrl(m_config.serviceBase(), topic, m_session.userName, m_session.mp));
}

void ServiceEndpoints::serverTimeLater(const QObject* context, HttpClient::TextHandler done) {
    http().getTextLater(requests::serverTimeUrl(m_config.serviceBase(), freshFraction()), context,
                        std::move(done));
}

void ServiceEndpoints::makerVersionLater(const QObject* context, HttpClient::TextHandler done) {
    http().getTextLater(requests::makerVersionUrl(m_config.makerSite(), freshFraction()), context,
                        std::move(done));
}

QUrl ServiceEndpoints::uploadResultPage(int lineCount) const {
    return requests::uploadResultUrl(m_config.serviceBase(), m_session.userName, lineCount,
                                     m_session.mp);
}

QUrl ServiceEndpoints::updatePage() const {
    return requests::updatePageUrl(m_config.makerSite());
}

QUrl ServiceEndpoints::makerHome() const {
    return QUrl(m_config.makerSite());
}

QUrl ServiceEndpoints::serviceHome() const {
    return QUrl(m_config.serviceBase());
}

} // namespace ordalis
