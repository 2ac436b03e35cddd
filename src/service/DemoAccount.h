// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A ready-made teacher account to try the program with.

namespace ordalis::service {

class Protocol;

inline constexpr const char* DemoAccountName = "demo";
inline constexpr const char* DemoLoginPassword = "demo1234";
inline constexpr const char* DemoOperationPassword = "op1234";

// Two classes of forty students in groups, three topics with standards and a few days of
// scores, all entered through the protocol itself. Does nothing when the account exists.
bool createDemoAccount(Protocol& protocol);

} // namespace ordalis::service
