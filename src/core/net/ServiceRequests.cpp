// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceRequests.h"

#include "text/WireText.h"
#include "wire/Form.h"

namespace ordalis {

QByteArray FormRequest::wireBody() const {
    // The escaped text is ASCII, so it goes out as it is.
    return encodeGb18030Url(body).toLatin1();
}

namespace requests {

namespace f = wire::field;
using wire::Form;

static_assert(std::tuple_size_v<GroupLists> == wire::GroupCount);

namespace {

FormRequest change(const Form& form, const wire::Endpoint& endpoint) {
    return FormRequest{endpoint.path.text(), form.text(), endpoint.success};
}

// A change as the account with its operation password; the endpoint's other fields follow.
Form operatorForm(const wire::Endpoint& endpoint, const QString& userName,
                  const QString& operationPassword) {
    Form form(endpoint);
    form.set(f::UserName, userName).set(f::Password, operationPassword);
    return form;
}

// A read of the account's data, with the mp its login gave.
Form readerForm(const wire::Endpoint& endpoint, const QString& userName, const QString& mp) {
    Form form(endpoint);
    form.set(f::Reader, userName).set(f::ReaderMp, mp);
    return form;
}

QString barJoined(const QStringList& items) {
    return items.join(QLatin1Char('|'));
}

QString fraction(double value) {
    return QString::number(value, 'f', 10);
}

} // namespace

FormRequest checkPassword(const QString& userName, const QString& loginPassword) {
    const auto& endpoint = wire::CheckPassword;
    return change(Form(endpoint).set(f::UserName, userName).set(f::Password, loginPassword),
                  endpoint);
}

FormRequest registerTeacher(const TeacherRegistration& teacher) {
    const auto& endpoint = wire::RegisterTeacher;
    return change(Form(endpoint)
                      .set(f::UserName, teacher.userName)
                      .set(f::TeacherName, teacher.teacherName)
                      .set(f::Password, teacher.loginPassword)
                      .set(f::OperationPassword, teacher.operationPassword)
                      .set(f::Email, teacher.email)
                      .set(f::Mobile, teacher.mobile)
                      .set(f::Telephone, teacher.telephone)
                      .set(f::Qq, teacher.qq),
                  endpoint);
}

FormRequest setPassword(const QString& userName, const QString& checkCode,
                        const QString& newLoginPassword, const QString& newOperationPassword) {
    const auto& endpoint = wire::SetPassword;
    return change(Form(endpoint)
                      .set(f::UserName, userName)
                      .set(f::CheckCode, checkCode)
                      .set(f::ResetLoginPassword, newLoginPassword)
                      .set(f::ResetOperationPassword, newOperationPassword),
                  endpoint);
}

FormRequest uploadScores(const QString& userName, const QString& operationPassword,
                         const QString& topic, const QStringList& scoreLines, const QString& batch,
                         const QStringList& calls) {
    const auto& endpoint = wire::UploadScores;
    Form form = operatorForm(endpoint, userName, operationPassword);
    form.set(f::Topic, topic).set(f::Score, barJoined(scoreLines));
    if (!calls.isEmpty())
        form.set(f::Calls, barJoined(calls));
    if (!batch.isEmpty())
        form.set(f::Batch, batch);
    return change(form, endpoint);
}

FormRequest uploadCalls(const QString& userName, const QString& operationPassword,
                        const QStringList& calls, const QString& batch) {
    const auto& endpoint = wire::UploadCalls;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::Calls, barJoined(calls))
                      .set(f::Batch, batch),
                  endpoint);
}

FormRequest uploadGroups(const QString& className, const QString& userName,
                         const QString& operationPassword, const GroupLists& groups) {
    const auto& endpoint = wire::UploadGroups;
    Form form = operatorForm(endpoint, userName, operationPassword);
    form.set(f::Class, className);
    for (std::size_t n = 0; n < groups.size(); ++n)
        form.set(f::Group, int(n), barJoined(groups[n]));
    return change(form, endpoint);
}

FormRequest setTeacher(const QString& userName, const QString& email,
                       const QString& operationPassword, const QString& newLoginPassword,
                       const QString& newOperationPassword) {
    const auto& endpoint = wire::SetTeacher;
    return change(Form(endpoint)
                      .set(f::UserName, userName)
                      .set(f::Email, email)
                      .set(f::OldOperationPassword, operationPassword)
                      .set(f::NewLoginPassword, newLoginPassword)
                      .set(f::NewOperationPassword, newOperationPassword),
                  endpoint);
}

FormRequest setClasses(const QString& userName, const QString& operationPassword,
                       const QStringList& classNames) {
    const auto& endpoint = wire::SetClasses;
    return change(
        operatorForm(endpoint, userName, operationPassword).set(f::Class, barJoined(classNames)),
        endpoint);
}

FormRequest renameClass(const QString& userName, const QString& operationPassword,
                        const QString& oldName, const QString& newName) {
    const auto& endpoint = wire::RenameClass;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::OldClassName, oldName)
                      .set(f::NewClassName, newName),
                  endpoint);
}

FormRequest setStudents(const QString& userName, const QString& operationPassword,
                        const QString& className, const QStringList& studentNames) {
    const auto& endpoint = wire::SetStudents;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::Class, className)
                      .set(f::Students, barJoined(studentNames)),
                  endpoint);
}

FormRequest renameStudent(const QString& userName, const QString& operationPassword,
                          const QString& oldName, const QString& newName,
                          const QString& className) {
    const auto& endpoint = wire::RenameStudent;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::OldStudentName, oldName)
                      .set(f::NewStudentName, newName)
                      .set(f::Class, className),
                  endpoint);
}

FormRequest setTopics(const QString& userName, const QString& operationPassword,
                      const QStringList& topics) {
    const auto& endpoint = wire::SetTopics;
    return change(
        operatorForm(endpoint, userName, operationPassword).set(f::Topic, barJoined(topics)),
        endpoint);
}

FormRequest renameTopic(const QString& userName, const QString& operationPassword,
                        const QString& oldTopic, const QString& newTopic) {
    const auto& endpoint = wire::RenameTopic;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::OldTopic, oldTopic)
                      .set(f::NewTopic, newTopic),
                  endpoint);
}

FormRequest newScales(const QString& userName, const QString& operationPassword,
                      const QString& topic, const StandardTexts& texts,
                      const StandardScores& scores) {
    QStringList scoreTexts;
    for (const std::optional<double>& score : scores)
        scoreTexts << (score ? shortestDecimal(*score) : QString());
    const QStringList textList(texts.begin(), texts.end());
    const auto& endpoint = wire::NewStandards;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::Topic, topic)
                      .set(f::NewStandardTexts, textList.join(QLatin1Char('\t')))
                      .set(f::NewStandardScores, scoreTexts.join(QLatin1Char('\t'))),
                  endpoint);
}

FormRequest editScale(const QString& userName, const QString& operationPassword,
                      const QString& className, const QString& scaleId, const QString& text,
                      double score) {
    const auto& endpoint = wire::EditStandard;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::Class, className)
                      .set(f::StandardId, scaleId)
                      .set(f::StandardText, text)
                      .set(f::Score, shortestDecimal(score)),
                  endpoint);
}

FormRequest deleteScales(const QString& userName, const QString& operationPassword,
                         const QString& topic, const QString& deleteIds) {
    const auto& endpoint = wire::DeleteStandards;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::Topic, topic)
                      .set(f::DeletedIds, deleteIds),
                  endpoint);
}

FormRequest editScore(const QString& userName, const QString& operationPassword,
                      const QString& className, const QString& scoreId, double score,
                      qint32 wireTime, const QString& topic, const QString& remark) {
    const auto& endpoint = wire::EditScore;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::Class, className)
                      .set(f::ScoreId, scoreId)
                      .set(f::Score, shortestDecimal(score))
                      .set(f::Time, QString::number(wireTime))
                      .set(f::Topic, topic)
                      .set(f::Remark, remark),
                  endpoint);
}

FormRequest deleteScores(const QString& userName, const QString& operationPassword,
                         const QString& className, const QString& deleteIds) {
    const auto& endpoint = wire::DeleteScores;
    return change(operatorForm(endpoint, userName, operationPassword)
                      .set(f::Class, className)
                      .set(f::DeletedIds, deleteIds),
                  endpoint);
}

QString queryValue(QStringView value) {
    return encodeGb18030Url(escapeFormValue(value));
}

QUrl recordUrl(const QString& serviceBase, const QString& userName, const QString& mp) {
    return readerForm(wire::Record, userName, mp).url(serviceBase);
}

QUrl teacherUrl(const QString& serviceBase, const QString& userName, const QString& mp) {
    return readerForm(wire::Teacher, userName, mp).url(serviceBase);
}

QUrl scoresUrl(const QString& serviceBase, const QString& className, const QString& userName,
               const QString& mp) {
    return readerForm(wire::Scores, userName, mp).set(f::Class, className).url(serviceBase);
}

QUrl callsUrl(const QString& serviceBase, const QString& className, const QDate& from,
              const QDate& to, const QString& userName, const QString& mp) {
    Form form = readerForm(wire::Calls, userName, mp);
    form.set(f::Class, className);
    if (from.isValid())
        form.set(f::From, from.toString(Qt::ISODate));
    if (to.isValid())
        form.set(f::To, to.toString(Qt::ISODate));
    return form.url(serviceBase);
}

QUrl scalesUrl(const QString& serviceBase, const QString& topic, const QString& userName,
               const QString& mp) {
    return readerForm(wire::Standards, userName, mp).set(f::Topic, topic).url(serviceBase);
}

QUrl checkUserNameUrl(const QString& serviceBase, const QString& userName) {
    return Form(wire::CheckUserName).set(f::NameToCheck, userName).url(serviceBase);
}

QUrl passwordCodeUrl(const QString& serviceBase, const QString& userName, const QString& email) {
    return Form(wire::PasswordCode)
        .set(f::UserName, userName)
        .set(f::Email, email)
        .url(serviceBase);
}

QUrl serverTimeUrl(const QString& serviceBase, double randomFraction) {
    return Form(wire::ServerTime).set(f::Fresh, fraction(randomFraction)).url(serviceBase);
}

QUrl uploadResultUrl(const QString& serviceBase, const QString& userName, int lineCount,
                     const QString& mp) {
    return readerForm(wire::HomePage, userName, mp)
        .set(f::LineCount, QString::number(lineCount))
        .url(serviceBase);
}

QUrl makerVersionUrl(const QString& makerSite, double randomFraction) {
    return Form(wire::MakerVersion)
        .set(f::Product, wire::ProductName)
        .set(f::Fresh, fraction(randomFraction))
        .url(makerSite);
}

QUrl updatePageUrl(const QString& makerSite) {
    return Form(wire::UpdatePage).set(f::Sort, wire::ProductName).url(makerSite);
}

} // namespace requests
} // namespace ordalis
