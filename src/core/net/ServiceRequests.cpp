// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceRequests.h"

#include "text/WireText.h"

namespace ordalis {

QByteArray FormRequest::wireBody() const {
    // The escaped text is ASCII, so it goes out as it is.
    return encodeGb18030Url(body).toLatin1();
}

namespace requests {

namespace {

// Key=value pairs, the first bare and every further one led by "&".
class Body {
public:
    Body& add(QStringView key, const QString& value) {
        if (m_pairs > 0)
            m_text += QLatin1Char('&');
        m_text += key;
        m_text += QLatin1Char('=');
        m_text += escapeFormValue(value);
        ++m_pairs;
        return *this;
    }

    FormRequest to(const QString& path, const QString& successWord = FormRequest::SuccessWord) {
        return FormRequest{path, m_text, successWord};
    }

private:
    QString m_text;
    int m_pairs = 0;
};

QString barJoined(const QStringList& items) {
    return items.join(QLatin1Char('|'));
}

Body changeBody(const QString& userName, const QString& operationPassword) {
    Body body;
    body.add(u"username", userName).add(u"password", operationPassword);
    return body;
}

QUrl address(const QString& base, const QString& pathAndQuery) {
    return QUrl(base + pathAndQuery, QUrl::TolerantMode);
}

QString fraction(double value) {
    return QString::number(value, 'f', 10);
}

} // namespace

FormRequest checkPassword(const QString& userName, const QString& loginPassword) {
    return Body()
        .add(u"username", userName)
        .add(u"password", loginPassword)
        .to(QStringLiteral("/checkpassword.php"));
}

FormRequest registerTeacher(const TeacherRegistration& teacher) {
    return Body()
        .add(u"username", teacher.userName)
        .add(u"teachername", teacher.teacherName)
        .add(u"password", teacher.loginPassword)
        .add(u"superpassword", teacher.operationPassword)
        .add(u"email", teacher.email)
        .add(u"mb", teacher.mobile)
        .add(u"tel", teacher.telephone)
        .add(u"qq", teacher.qq)
        .to(QStringLiteral("/regteacher.php"));
}

FormRequest setPassword(const QString& userName, const QString& checkCode,
                        const QString& newLoginPassword, const QString& newOperationPassword) {
    return Body()
        .add(u"username", userName)
        .add(u"checkcode", checkCode)
        .add(u"newpswd", newLoginPassword)
        .add(u"newsuperpswd", newOperationPassword)
        .to(QStringLiteral("/setpassword.php"), QStringLiteral("success"));
}

FormRequest uploadScores(const QString& userName, const QString& operationPassword,
                         const QString& topic, const QStringList& scoreLines, const QString& batch,
                         const QStringList& calls) {
    Body body = changeBody(userName, operationPassword);
    body.add(u"keti", topic).add(u"score", barJoined(scoreLines));
    if (!calls.isEmpty())
        body.add(u"calls", barJoined(calls));
    if (!batch.isEmpty())
        body.add(u"batch", batch);
    return body.to(QStringLiteral("/index.php"));
}

FormRequest uploadCalls(const QString& userName, const QString& operationPassword,
                        const QStringList& calls, const QString& batch) {
    return changeBody(userName, operationPassword)
        .add(u"calls", barJoined(calls))
        .add(u"batch", batch)
        .to(QStringLiteral("/setcalls.php"));
}

FormRequest uploadGroups(const QString& className, const QString& userName,
                         const QString& operationPassword, const GroupLists& groups) {
    Body body;
    body.add(u"class", className).add(u"username", userName).add(u"password", operationPassword);
    for (std::size_t n = 0; n < groups.size(); ++n)
        body.add(QStringLiteral("group[%1]").arg(n), barJoined(groups[n]));
    return body.to(QStringLiteral("/group.php"));
}

FormRequest setTeacher(const QString& userName, const QString& email,
                       const QString& operationPassword, const QString& newLoginPassword,
                       const QString& newOperationPassword) {
    return Body()
        .add(u"username", userName)
        .add(u"email", email)
        .add(u"oldsuperpassword", operationPassword)
        .add(u"newlogpassword", newLoginPassword)
        .add(u"newsuperpassword", newOperationPassword)
        .to(QStringLiteral("/setteacher.php"));
}

FormRequest setClasses(const QString& userName, const QString& operationPassword,
                       const QStringList& classNames) {
    return changeBody(userName, operationPassword)
        .add(u"class", barJoined(classNames))
        .to(QStringLiteral("/setclass.php"));
}

FormRequest renameClass(const QString& userName, const QString& operationPassword,
                        const QString& oldName, const QString& newName) {
    return changeBody(userName, operationPassword)
        .add(u"oldclassname", oldName)
        .add(u"newclassname", newName)
        .to(QStringLiteral("/renameclass.php"));
}

FormRequest setStudents(const QString& userName, const QString& operationPassword,
                        const QString& className, const QStringList& studentNames) {
    return changeBody(userName, operationPassword)
        .add(u"class", className)
        .add(u"student", barJoined(studentNames))
        .to(QStringLiteral("/student.php"));
}

FormRequest renameStudent(const QString& userName, const QString& operationPassword,
                          const QString& oldName, const QString& newName,
                          const QString& className) {
    return changeBody(userName, operationPassword)
        .add(u"oldstuname", oldName)
        .add(u"newstuname", newName)
        .add(u"class", className)
        .to(QStringLiteral("/renamestudent.php"));
}

FormRequest setTopics(const QString& userName, const QString& operationPassword,
                      const QStringList& topics) {
    return changeBody(userName, operationPassword)
        .add(u"keti", barJoined(topics))
        .to(QStringLiteral("/setketi.php"));
}

FormRequest renameTopic(const QString& userName, const QString& operationPassword,
                        const QString& oldTopic, const QString& newTopic) {
    return changeBody(userName, operationPassword)
        .add(u"oldketi", oldTopic)
        .add(u"newketi", newTopic)
        .to(QStringLiteral("/renameketi.php"));
}

FormRequest newScales(const QString& userName, const QString& operationPassword,
                      const QString& topic, const StandardTexts& texts,
                      const StandardScores& scores) {
    QStringList scoreTexts;
    for (const std::optional<double>& score : scores)
        scoreTexts << (score ? shortestDecimal(*score) : QString());
    const QStringList textList(texts.begin(), texts.end());
    return changeBody(userName, operationPassword)
        .add(u"keti", topic)
        .add(u"newscale", textList.join(QLatin1Char('\t')))
        .add(u"newscore", scoreTexts.join(QLatin1Char('\t')))
        .to(QStringLiteral("/newscale.php"));
}

FormRequest editScale(const QString& userName, const QString& operationPassword,
                      const QString& className, const QString& scaleId, const QString& text,
                      double score) {
    return changeBody(userName, operationPassword)
        .add(u"class", className)
        .add(u"scaleid", scaleId)
        .add(u"scale", text)
        .add(u"score", shortestDecimal(score))
        .to(QStringLiteral("/editscale.php"));
}

FormRequest deleteScales(const QString& userName, const QString& operationPassword,
                         const QString& topic, const QString& deleteIds) {
    return changeBody(userName, operationPassword)
        .add(u"keti", topic)
        .add(u"delid", deleteIds)
        .to(QStringLiteral("/delscale.php"));
}

FormRequest editScore(const QString& userName, const QString& operationPassword,
                      const QString& className, const QString& scoreId, double score,
                      qint32 wireTime, const QString& topic, const QString& remark) {
    return changeBody(userName, operationPassword)
        .add(u"class", className)
        .add(u"scoreid", scoreId)
        .add(u"score", shortestDecimal(score))
        .add(u"time", QString::number(wireTime))
        .add(u"keti", topic)
        .add(u"addtion", remark)
        .to(QStringLiteral("/editscore.php"));
}

FormRequest deleteScores(const QString& userName, const QString& operationPassword,
                         const QString& className, const QString& deleteIds) {
    return changeBody(userName, operationPassword)
        .add(u"class", className)
        .add(u"delid", deleteIds)
        .to(QStringLiteral("/delscore.php"));
}

QString queryValue(QStringView value) {
    return encodeGb18030Url(escapeFormValue(value));
}

QUrl recordUrl(const QString& serviceBase, const QString& userName, const QString& mp) {
    return address(serviceBase, QStringLiteral("/record.php?t=") + queryValue(userName) +
                                    QStringLiteral("&mp=") + queryValue(mp));
}

QUrl teacherUrl(const QString& serviceBase, const QString& userName, const QString& mp) {
    return address(serviceBase, QStringLiteral("/getteacher.php?t=") + queryValue(userName) +
                                    QStringLiteral("&mp=") + queryValue(mp));
}

QUrl scoresUrl(const QString& serviceBase, const QString& className, const QString& userName,
               const QString& mp) {
    return address(serviceBase, QStringLiteral("/getscore.php?class=") + queryValue(className) +
                                    QStringLiteral("&t=") + queryValue(userName) +
                                    QStringLiteral("&mp=") + queryValue(mp));
}

QUrl callsUrl(const QString& serviceBase, const QString& className, const QDate& from,
              const QDate& to, const QString& userName, const QString& mp) {
    QString query = QStringLiteral("/getcalls.php?class=") + queryValue(className);
    if (from.isValid())
        query += QStringLiteral("&from=") + from.toString(Qt::ISODate);
    if (to.isValid())
        query += QStringLiteral("&to=") + to.toString(Qt::ISODate);
    return address(serviceBase, query + QStringLiteral("&t=") + queryValue(userName) +
                                    QStringLiteral("&mp=") + queryValue(mp));
}

QUrl scalesUrl(const QString& serviceBase, const QString& topic, const QString& userName,
               const QString& mp) {
    return address(serviceBase, QStringLiteral("/getscale.php?keti=") + queryValue(topic) +
                                    QStringLiteral("&t=") + queryValue(userName) +
                                    QStringLiteral("&mp=") + queryValue(mp));
}

QUrl checkUserNameUrl(const QString& serviceBase, const QString& userName) {
    return address(serviceBase, QStringLiteral("/checkusername.php?u=") + queryValue(userName));
}

QUrl passwordCodeUrl(const QString& serviceBase, const QString& userName, const QString& email) {
    return address(serviceBase, QStringLiteral("/getpswdcode.php?username=") +
                                    queryValue(userName) + QStringLiteral("&email=") +
                                    queryValue(email));
}

QUrl serverTimeUrl(const QString& serviceBase, double randomFraction) {
    return address(serviceBase, QStringLiteral("/servertime.php?t=") + fraction(randomFraction));
}

QUrl uploadResultUrl(const QString& serviceBase, const QString& userName, int lineCount,
                     const QString& mp) {
    return address(serviceBase, QStringLiteral("/?t=") + queryValue(userName) +
                                    QStringLiteral("&n=") + QString::number(lineCount) +
                                    QStringLiteral("&mp=") + queryValue(mp));
}

QUrl makerVersionUrl(const QString& makerSite, double randomFraction) {
    return address(makerSite,
                   QStringLiteral("/version.php?s=Tumbrel&t=") + fraction(randomFraction));
}

QUrl updatePageUrl(const QString& makerSite) {
    return address(makerSite, QStringLiteral("/update.php?sort=Tumbrel"));
}

} // namespace requests
} // namespace ordalis
