// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registration form's checks, in the order the teacher meets them, and the registration
// as it is sent: every value trimmed, the passwords by the one rule for secrets.

#include "net/ServiceRequests.h"

#include <optional>

namespace ordalis {

enum class RegistrationField { TeacherName, Email, LoginPassword, OperationPassword };

struct RegistrationProblem {
    QString message;
    RegistrationField field; // where the input focus goes
};

// The first check the typed form fails, or nothing when it may be sent. The account name is
// judged by the name check, not here.
std::optional<RegistrationProblem> firstRegistrationProblem(const TeacherRegistration& typed);

bool isWellFormedEmail(const QString& email);

TeacherRegistration trimmedRegistration(const TeacherRegistration& typed);

} // namespace ordalis
