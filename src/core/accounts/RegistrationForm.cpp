// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegistrationForm.h"

#include "text/SecretText.h"

#include <QRegularExpression>

namespace ordalis {

std::optional<RegistrationProblem> firstRegistrationProblem(const TeacherRegistration& typed) {
    if (typed.teacherName.trimmed().isEmpty())
        return RegistrationProblem{QStringLiteral("请输入教师姓名！"),
                                   RegistrationField::TeacherName};
    if (typed.email.isEmpty())
        return RegistrationProblem{QStringLiteral("请输入Email地址！"), RegistrationField::Email};
    if (!isWellFormedEmail(typed.email))
        return RegistrationProblem{QStringLiteral("Email地址不正确！"), RegistrationField::Email};
    if (trimSecret(typed.loginPassword).isEmpty())
        return RegistrationProblem{QStringLiteral("请输入登录密码！"),
                                   RegistrationField::LoginPassword};
    if (trimSecret(typed.operationPassword).isEmpty())
        return RegistrationProblem{QStringLiteral("请输入操作密码！"),
                                   RegistrationField::OperationPassword};
    return std::nullopt;
}

bool isWellFormedEmail(const QString& email) {
    // \w is ASCII here: letters, digits and "_".
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\w+([\-+.]\w+)*@\w+([\-.]\w+)*\.\w+([\-.]\w+)*$)"));
    return pattern.match(email).hasMatch();
}

TeacherRegistration trimmedRegistration(const TeacherRegistration& typed) {
    return TeacherRegistration{typed.userName.trimmed(),        typed.teacherName.trimmed(),
                               trimSecret(typed.loginPassword), trimSecret(typed.operationPassword),
                               typed.email.trimmed(),           typed.mobile.trimmed(),
                               typed.telephone.trimmed(),       typed.qq.trimmed()};
}

} // namespace ordalis
