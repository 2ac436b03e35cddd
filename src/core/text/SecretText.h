// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one rule for a typed password, kept by the program and the score service alike at
// registration, login, password change and reset: the whitespace around it (blanks, TABs, line
// breaks, full-width spaces) is no part of it. Both sides applying the same rule means that a
// password registered with a stray trailing blank logs in, and that the mp made from it at
// login matches the one the service stored.

#include <QString>

namespace ordalis {

inline QString trimSecret(QStringView typed) {
    return typed.trimmed().toString();
}

} // namespace ordalis
