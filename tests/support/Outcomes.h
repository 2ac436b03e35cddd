// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a request to the service ended, as the tests ask it.

#include "text/Refusal.h"

namespace ordalis::test {

// The service answered with a no.
inline bool isRefused(const Expected<>& outcome) {
    return !outcome && !outcome.refusal().isNoAnswer();
}

// No answer of the protocol came.
inline bool isNoAnswer(const Expected<>& outcome) {
    return !outcome && outcome.refusal().isNoAnswer();
}

} // namespace ordalis::test
